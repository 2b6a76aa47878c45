#include "model/arcana.h"
#include "model/reference_date.h"
#include "model/saved_state.h"
#include "support/test_paths.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

QByteArray readFixture(const QString& name)
{
    QFile file(TestPaths::fixture(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

QJsonObject fixtureState()
{
    return QJsonDocument::fromJson(readFixture(QStringLiteral("state-two-readings.json"))).object();
}

// Replaces (or, with an undefined value, removes) the value at a slash-separated path such
// as "history/1/notes".
QJsonValue changed(const QJsonValue& node, QStringList path, const QJsonValue& value)
{
    const QString step = path.takeFirst();
    if (node.isArray()) {
        QJsonArray array = node.toArray();
        const int index = step.toInt();
        if (path.isEmpty())
            array[index] = value;
        else
            array[index] = changed(array.at(index), path, value);
        return array;
    }
    QJsonObject object = node.toObject();
    if (path.isEmpty() && value.isUndefined())
        object.remove(step);
    else if (path.isEmpty())
        object[step] = value;
    else
        object[step] = changed(object.value(step), path, value);
    return object;
}

QByteArray stateWith(const QString& path, const QJsonValue& value)
{
    return QJsonDocument(changed(fixtureState(), path.split(QLatin1Char('/')), value).toObject())
        .toJson();
}

QJsonObject cardObject(qint64 id)
{
    QJsonObject card;
    card[QStringLiteral("id")] = id;
    for (const char* key : {"name", "french", "image", "keywords", "symbol", "upright", "reversed",
                            "light", "shadow", "advice", "reflection", "family"})
        card[QString::fromLatin1(key)] =
            QString(QStringLiteral("texto de ") + QString::fromLatin1(key));
    return card;
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT

private slots:
    void newPreferencesHoldTheDefaults()
    {
        const Preferences preferences;
        QCOMPARE(preferences.name, QString());
        QCOMPARE(preferences.deck, QStringLiteral("Marsella · Quintrel"));
        QCOMPARE(preferences.spread, Spread::timeline);
        QCOMPARE(preferences.reversals, false);
        QCOMPARE(preferences.animations, true);
        QCOMPARE(preferences.sound, false);
        QCOMPARE(preferences.autoSave, true);
        QCOMPARE(preferences.theme, QStringLiteral("Esmeralda"));
        QCOMPARE(preferences.onboardingDone, false);

        const SavedState state;
        QCOMPARE(state.preferences, Preferences());
        QVERIFY(state.history.isEmpty());
    }

    void newReadingsHaveFreshIdentifiersAndTheCurrentDate()
    {
        const double before = ReferenceDate::now();
        const Reading a;
        const Reading b;
        QVERIFY(!a.id.isNull());
        QVERIFY(a.id != b.id);
        QVERIFY(a.date >= before && a.date <= ReferenceDate::now());
        QCOMPARE(a.revealed, 0);
        QVERIFY(a.notes.isEmpty() && !a.favorite && a.interpretations.isEmpty() &&
                a.synthesis.isEmpty());
    }

    void completeMeansEveryCardIsFaceUp()
    {
        Reading reading;
        QVERIFY(reading.complete()); // no cards, nothing to reveal
        reading.cards = {{3, false}, {7, true}, {12, false}};
        reading.revealed = 2;
        QVERIFY(!reading.complete());
        reading.revealed = 3;
        QVERIFY(reading.complete());
    }

    void decodesAValidStateDocument()
    {
        QString error;
        const auto state =
            SavedState::decode(readFixture(QStringLiteral("state-two-readings.json")), &error);
        QVERIFY2(state, qPrintable(error));

        Preferences preferences;
        preferences.name = QStringLiteral("Lucía");
        preferences.spread = Spread::celtic;
        preferences.reversals = true;
        preferences.animations = false;
        preferences.sound = true;
        preferences.autoSave = false;
        preferences.theme = QStringLiteral("Noche");
        preferences.onboardingDone = true;
        QCOMPARE(state->preferences, preferences);

        QCOMPARE(state->history.size(), 2);
        const Reading& first = state->history.at(0);
        // Identifiers are accepted in lower case and mean the same identifier.
        QCOMPARE(first.id, QUuid(QStringLiteral("6F1C2B9E-0A4D-4C8E-9B7A-3D2E1F0A5B6C")));
        QCOMPARE(first.date, 745678901.123456);
        QCOMPARE(first.spread, Spread::timeline);
        QCOMPARE(first.question, QStringLiteral("¿Qué cambia si me detengo?"));
        QCOMPARE(first.topic, Topic::personal);
        QCOMPARE(first.cards, (QList<DrawnCard>{{19, false}, {2, true}, {21, false}}));
        QCOMPARE(first.reader, QStringLiteral("Lucía"));
        QCOMPARE(first.revealed, 2);
        QCOMPARE(first.notes, QStringLiteral("Notas con acentos: camión, ñandú."));
        QCOMPARE(first.favorite, true);
        QCOMPARE(first.interpretations,
                 (QList<QString>{QStringLiteral("Primera."), QStringLiteral("Segunda."),
                                 QStringLiteral("Tercera.")}));
        QCOMPARE(first.synthesis, QStringLiteral("Síntesis."));

        const Reading& second = state->history.at(1);
        QCOMPARE(second.id, QUuid(QStringLiteral("0b8e5c7a-1d2f-4e3a-8c9b-7a6d5e4f3a2b")));
        QCOMPARE(second.date, -3600.5);
        QCOMPARE(second.spread, Spread::daily);
        QCOMPARE(second.topic, Topic::general);
        QCOMPARE(second.cards, (QList<DrawnCard>{{0, false}}));
        QVERIFY(second.interpretations.isEmpty());
    }

    void encodingWritesKnownKeysAndUpperCaseIdentifiers()
    {
        const auto state =
            SavedState::decode(readFixture(QStringLiteral("state-two-readings.json")), nullptr);
        QVERIFY(state);
        const QJsonObject json = state->toJson();

        QCOMPARE(json.keys(),
                 (QStringList{QStringLiteral("history"), QStringLiteral("preferences")}));
        QCOMPARE(json[QStringLiteral("preferences")].toObject().keys(),
                 (QStringList{QStringLiteral("animations"), QStringLiteral("autoSave"),
                              QStringLiteral("deck"), QStringLiteral("name"),
                              QStringLiteral("onboardingDone"), QStringLiteral("reversals"),
                              QStringLiteral("sound"), QStringLiteral("spread"),
                              QStringLiteral("theme")}));
        const QJsonObject reading = json[QStringLiteral("history")][0].toObject();
        QCOMPARE(reading.keys(),
                 (QStringList{QStringLiteral("cards"), QStringLiteral("date"),
                              QStringLiteral("favorite"), QStringLiteral("id"),
                              QStringLiteral("interpretations"), QStringLiteral("notes"),
                              QStringLiteral("question"), QStringLiteral("reader"),
                              QStringLiteral("revealed"), QStringLiteral("spread"),
                              QStringLiteral("synthesis"), QStringLiteral("topic")}));
        QCOMPARE(reading[QStringLiteral("id")].toString(),
                 QStringLiteral("6F1C2B9E-0A4D-4C8E-9B7A-3D2E1F0A5B6C"));
        QCOMPARE(reading[QStringLiteral("topic")].toString(),
                 QStringLiteral("Crecimiento personal"));
        QCOMPARE(reading[QStringLiteral("spread")].toString(), QStringLiteral("timeline"));
        QVERIFY(reading[QStringLiteral("revealed")].isDouble());
        QVERIFY(reading[QStringLiteral("favorite")].isBool());
        QCOMPARE(json[QStringLiteral("history")][1][QStringLiteral("cards")][0].toObject().keys(),
                 (QStringList{QStringLiteral("arcanaID"), QStringLiteral("reversed")}));
        QCOMPARE(json[QStringLiteral("preferences")][QStringLiteral("spread")].toString(),
                 QStringLiteral("celtic"));
    }

    void roundTripsPreserveEveryFieldAndExactDates()
    {
        // Dates whose decimal form needs all 17 significant digits, negative dates and
        // dates without a fraction must all come back bit for bit.
        const QList<double> dates{0.0,
                                  0.1,
                                  -3600.5,
                                  745678901.123456789,
                                  std::nextafter(745678901.5, 1e12),
                                  1.0 / 3.0,
                                  123456789012.0,
                                  4.9e-324};
        SavedState state;
        state.preferences.name = QStringLiteral("Ana «la lectora»\n\"comillas\"");
        state.preferences.spread = Spread::guidance;
        for (double date : dates) {
            Reading reading;
            reading.date = date;
            reading.spread = Spread::cross;
            reading.topic = Topic::relationships;
            reading.question = QStringLiteral("¿Y ahora?");
            reading.cards = {{11, false}, {3, true}, {20, false}, {8, true}, {14, false}};
            reading.reader = QStringLiteral("Ana");
            reading.revealed = 4;
            reading.notes = QStringLiteral("línea 1\n\nlínea 2\t✦");
            reading.favorite = true;
            reading.interpretations = {QStringLiteral("a"), QString(), QStringLiteral("c")};
            reading.synthesis = QStringLiteral("Párrafo uno.\n\nPárrafo dos.");
            state.history.append(reading);
        }
        Reading extreme;
        extreme.revealed = std::numeric_limits<qint64>::max();
        extreme.cards = {{std::numeric_limits<qint64>::min(), false}};
        state.history.append(extreme);

        for (auto format : {QJsonDocument::Indented, QJsonDocument::Compact}) {
            const QByteArray bytes = QJsonDocument(state.toJson()).toJson(format);
            QString error;
            const auto decoded = SavedState::decode(bytes, &error);
            QVERIFY2(decoded, qPrintable(error));
            QCOMPARE(*decoded, state);
            for (qsizetype i = 0; i < dates.size(); ++i)
                QVERIFY(std::memcmp(&decoded->history.at(i).date, &dates.at(i), sizeof(double)) ==
                        0);
        }
    }

    void strictDecodingNamesTheKeyAndThePlace_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("expected");

        auto row = [](const char* tag, const char* path, const QJsonValue& value,
                      const char16_t* expected) {
            QTest::newRow(tag) << stateWith(QString::fromLatin1(path), value)
                               << QString::fromUtf16(expected);
        };
        const QJsonValue removed(QJsonValue::Undefined);

        row("reading without notes", "history/1/notes", removed,
            u"Falta la clave «notes» en la tirada 2 del historial.");
        row("preferences without onboardingDone", "preferences/onboardingDone", removed,
            u"Falta la clave «onboardingDone» en las preferencias.");
        row("no preferences", "preferences", removed,
            u"Falta la clave «preferences» en el documento.");
        row("no history", "history", removed, u"Falta la clave «history» en el documento.");
        row("card without reversed", "history/0/cards/2/reversed", removed,
            u"Falta la clave «reversed» en la carta 3 de la tirada 1 del historial.");

        row("null date", "history/1/date", QJsonValue::Null,
            u"La clave «date» en la tirada 2 del historial está vacía (null).");
        row("null name", "preferences/name", QJsonValue::Null,
            u"La clave «name» en las preferencias está vacía (null).");
        row("null history", "history", QJsonValue::Null,
            u"La clave «history» en el documento está vacía (null).");

        row("topic case name", "history/0/topic", QStringLiteral("general"),
            u"«general» no es un valor válido para la clave «topic» en la tirada 1 del historial.");
        row("topic lower case", "history/1/topic", QStringLiteral("relaciones"),
            u"«relaciones» no es un valor válido para la clave «topic» en la tirada 2 del "
            u"historial.");
        row("spread capitalised", "history/1/spread", QStringLiteral("Daily"),
            u"«Daily» no es un valor válido para la clave «spread» en la tirada 2 del historial.");
        row("preferred spread with a blank", "preferences/spread", QStringLiteral("celtic "),
            u"«celtic » no es un valor válido para la clave «spread» en las preferencias.");
        row("spread as number", "history/0/spread", 1,
            u"La clave «spread» en la tirada 1 del historial debe ser un texto.");

        row("revealed fraction", "history/0/revealed", 1.5,
            u"La clave «revealed» en la tirada 1 del historial debe ser un número entero.");
        row("revealed as text", "history/0/revealed", QStringLiteral("2"),
            u"La clave «revealed» en la tirada 1 del historial debe ser un número entero.");
        row("revealed as boolean", "history/0/revealed", true,
            u"La clave «revealed» en la tirada 1 del historial debe ser un número entero.");
        row("arcanaID fraction", "history/0/cards/1/arcanaID", 2.5,
            u"La clave «arcanaID» en la carta 2 de la tirada 1 del historial debe ser un número "
            u"entero.");
        row("arcanaID beyond 64 bits", "history/0/cards/1/arcanaID", 1e19,
            u"La clave «arcanaID» en la carta 2 de la tirada 1 del historial debe ser un número "
            u"entero.");
        row("date as text", "history/1/date", QStringLiteral("2024-05-01"),
            u"La clave «date» en la tirada 2 del historial debe ser un número.");
        row("favorite as number", "history/0/favorite", 1,
            u"La clave «favorite» en la tirada 1 del historial debe ser true o false.");
        row("reversed as text", "history/0/cards/1/reversed", QStringLiteral("true"),
            u"La clave «reversed» en la carta 2 de la tirada 1 del historial debe ser true o "
            u"false.");
        row("theme as number", "preferences/theme", 5,
            u"La clave «theme» en las preferencias debe ser un texto.");
        row("notes as list", "history/0/notes", QJsonArray{},
            u"La clave «notes» en la tirada 1 del historial debe ser un texto.");
        row("cards as object", "history/0/cards", QJsonObject{},
            u"La clave «cards» en la tirada 1 del historial debe ser una lista.");
        row("history as object", "history", QJsonObject{},
            u"La clave «history» en el documento debe ser una lista.");
        row("preferences as list", "preferences", QJsonArray{},
            u"La clave «preferences» en el documento debe ser un objeto.");
        row("reading as text", "history/1", QStringLiteral("tirada"),
            u"La tirada 2 del historial debe ser un objeto JSON.");
        row("card as number", "history/0/cards/1", 7,
            u"La carta 2 de la tirada 1 del historial debe ser un objeto JSON.");
        row("interpretation as number", "history/0/interpretations/1", 3,
            u"La interpretación 2 de la tirada 1 del historial debe ser un texto.");
        row("interpretation null", "history/0/interpretations/0", QJsonValue::Null,
            u"La interpretación 1 de la tirada 1 del historial debe ser un texto.");

        row("id not an identifier", "history/0/id", QStringLiteral("tirada-uno"),
            u"«tirada-uno» no es un valor válido para la clave «id» en la tirada 1 del historial.");
        row("id with braces", "history/0/id",
            QStringLiteral("{6F1C2B9E-0A4D-4C8E-9B7A-3D2E1F0A5B6C}"),
            u"«{6F1C2B9E-0A4D-4C8E-9B7A-3D2E1F0A5B6C}» no es un valor válido para la clave «id» "
            u"en la tirada 1 del historial.");
        row("id without hyphens", "history/0/id",
            QStringLiteral("6F1C2B9E0A4D4C8E9B7A3D2E1F0A5B6C"),
            u"«6F1C2B9E0A4D4C8E9B7A3D2E1F0A5B6C» no es un valor válido para la clave «id» en la "
            u"tirada 1 del historial.");
        row("id with a non-hex digit", "history/1/id",
            QStringLiteral("0B8E5C7A-1D2F-4E3A-8C9B-7A6D5E4F3A2G"),
            u"«0B8E5C7A-1D2F-4E3A-8C9B-7A6D5E4F3A2G» no es un valor válido para la clave «id» en "
            u"la tirada 2 del historial.");
        row("id with a misplaced hyphen", "history/1/id",
            QStringLiteral("0B8E5C7A1-D2F-4E3A-8C9B-7A6D5E4F3A2B"),
            u"«0B8E5C7A1-D2F-4E3A-8C9B-7A6D5E4F3A2B» no es un valor válido para la clave «id» en "
            u"la tirada 2 del historial.");
        row("id as number", "history/0/id", 42,
            u"La clave «id» en la tirada 1 del historial debe ser un texto.");

        // Integers outside the 64-bit range cannot be built as QJsonValue, so they are
        // written into the text directly.
        auto rawRow = [](const char* tag, const char* number) {
            QByteArray bytes = stateWith(QStringLiteral("history/0/revealed"), 777777);
            bytes.replace("777777", number);
            QTest::newRow(tag) << bytes
                               << QStringLiteral("La clave «revealed» en la tirada 1 del historial "
                                                 "debe ser un número entero.");
        };
        rawRow("revealed 2^63", "9223372036854775808");
        rawRow("revealed 2^64", "18446744073709551616");
        rawRow("revealed 1e300", "1e300");

        QTest::newRow("document is a list")
            << QByteArray("[]") << QStringLiteral("El documento debe ser un objeto JSON.");
    }

    void strictDecodingNamesTheKeyAndThePlace()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, expected);
        QString error;
        QVERIFY(!SavedState::decode(document, &error));
        QCOMPARE(error, expected);
    }

    void integersUseTheFullSignedRange()
    {
        for (const char* number : {"9223372036854775807", "-9223372036854775808"}) {
            QByteArray bytes = stateWith(QStringLiteral("history/0/revealed"), 777777);
            bytes.replace("777777", number);
            QString error;
            const auto state = SavedState::decode(bytes, &error);
            QVERIFY2(state, qPrintable(error));
            QCOMPARE(state->history.at(0).revealed, QByteArray(number).toLongLong());
        }
    }

    void decodingDoesNotDependOnTheErrorArgument()
    {
        const QByteArray valid = readFixture(QStringLiteral("state-two-readings.json"));
        const QByteArray broken =
            stateWith(QStringLiteral("history/1/notes"), QJsonValue::Undefined);

        // Without a place to put the description, a broken document still fails cleanly.
        QVERIFY(SavedState::decode(valid, nullptr));
        QVERIFY(!SavedState::decode(broken, nullptr));
        QVERIFY(!SavedState::decode(stateWith(QStringLiteral("history/0/cards/1"), 7), nullptr));
        QVERIFY(!SavedState::decode("{", nullptr));
        QVERIFY(!Arcana::decodeDeck("[{\"id\": 0}]", nullptr));

        // A description left over from an earlier failure neither spoils a valid document
        // nor hides the cause of a new failure.
        QString error = QStringLiteral("Falta la clave «notes» en la tirada 2 del historial.");
        QVERIFY(SavedState::decode(valid, &error));
        error = QStringLiteral("Un error anterior.");
        QVERIFY(!SavedState::decode(stateWith(QStringLiteral("preferences/sound"), 0), &error));
        QCOMPARE(error,
                 QStringLiteral("La clave «sound» en las preferencias debe ser true o false."));
        error = QStringLiteral("Un error anterior.");
        QVERIFY(!SavedState::decode("[]", &error));
        QCOMPARE(error, QStringLiteral("El documento debe ser un objeto JSON."));
    }

    void invalidJsonGivesLineAndColumn_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("expected");

        QTest::newRow("missing comma")
            << QByteArray("{\n  \"history\": []\n  \"preferences\": {}\n}")
            << QStringLiteral("El archivo no es JSON válido: un objeto no está cerrado (línea 3, "
                              "columna 4).");
        // Columns count characters as an editor shows them, not bytes.
        QTest::newRow("after accented text")
            << QByteArray("{\"notas\": \"camión ñandú\" \"x\": 1}")
            << QStringLiteral("El archivo no es JSON válido: un objeto no está cerrado (línea 1, "
                              "columna 27).");
        QTest::newRow("unterminated string")
            << QByteArray("{\n\"a\": \"abc")
            << QStringLiteral(
                   "El archivo no es JSON válido: un texto no está cerrado (línea 2, columna 10).");
        QTest::newRow("empty file") << QByteArray()
                                    << QStringLiteral("El archivo no es JSON válido: hay un valor "
                                                      "no válido (línea 1, columna 1).");
    }

    void invalidJsonGivesLineAndColumn()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, expected);
        QString error;
        QVERIFY(!SavedState::decode(document, &error));
        QCOMPARE(error, expected);
    }

    void deckDecodingIsStrictToo()
    {
        const QJsonArray deck{cardObject(0), cardObject(1), cardObject(2)};
        QString error;
        const auto decoded = Arcana::decodeDeck(QJsonDocument(deck).toJson(), &error);
        QVERIFY2(decoded, qPrintable(error));
        QCOMPARE(decoded->size(), 3);
        QCOMPARE(decoded->at(2).id, 2);
        QCOMPARE(decoded->at(2).family, QStringLiteral("texto de family"));
        QCOMPARE(decoded->at(1).light, QStringLiteral("texto de light"));

        auto failure = [](QJsonArray entries, int index, const QString& key,
                          const QJsonValue& value) {
            QJsonObject card = entries.at(index).toObject();
            if (value.isUndefined())
                card.remove(key);
            else
                card[key] = value;
            entries[index] = card;
            QString message;
            if (Arcana::decodeDeck(QJsonDocument(entries).toJson(), &message))
                return QStringLiteral("decoded");
            return message;
        };
        QCOMPARE(failure(deck, 1, QStringLiteral("family"), QJsonValue::Undefined),
                 QStringLiteral("Falta la clave «family» en la carta 2 de la baraja."));
        QCOMPARE(
            failure(deck, 2, QStringLiteral("id"), 1.5),
            QStringLiteral("La clave «id» en la carta 3 de la baraja debe ser un número entero."));
        QCOMPARE(failure(deck, 0, QStringLiteral("advice"), QJsonValue::Null),
                 QStringLiteral("La clave «advice» en la carta 1 de la baraja está vacía (null)."));
        QCOMPARE(
            failure(deck, 0, QStringLiteral("keywords"), QJsonArray{}),
            QStringLiteral("La clave «keywords» en la carta 1 de la baraja debe ser un texto."));

        QVERIFY(!Arcana::decodeDeck(QJsonDocument(cardObject(0)).toJson(), &error));
        QCOMPARE(error, QStringLiteral("La baraja debe ser una lista de cartas."));
        QVERIFY(!Arcana::decodeDeck("[1, 2]", &error));
        QCOMPARE(error, QStringLiteral("La carta 1 de la baraja debe ser un objeto JSON."));
    }

    void topicsUseTheirExactRawValues()
    {
        QCOMPARE(allTopics(), (QList<Topic>{Topic::general, Topic::relationships, Topic::projects,
                                            Topic::personal}));
        const QStringList raw{QStringLiteral("General"), QStringLiteral("Relaciones"),
                              QStringLiteral("Trabajo y proyectos"),
                              QStringLiteral("Crecimiento personal")};
        for (qsizetype i = 0; i < raw.size(); ++i) {
            QCOMPARE(rawValue(allTopics().at(i)), raw.at(i));
            QCOMPARE(topicFromRaw(raw.at(i)), allTopics().at(i));
            QVERIFY(!topicFromRaw(raw.at(i).toLower()));
        }
        for (const char* text :
             {"general", "relationships", "GENERAL", " General", "", "Trabajo  y proyectos"})
            QVERIFY(!topicFromRaw(QString::fromUtf8(text)));

        QCOMPARE(prompt(Topic::personal), QStringLiteral("¿Qué necesito escuchar de mí?"));
        QCOMPARE(prompt(Topic::relationships),
                 QStringLiteral("¿Qué puedo comprender mejor en este vínculo?"));
        QCOMPARE(framing(Topic::general),
                 QStringLiteral("Observa cómo se expresa este símbolo en tu día a día."));
        QCOMPARE(framing(Topic::relationships),
                 QStringLiteral("En los vínculos, úsalo para explorar tu comunicación, tus límites "
                                "y tus propias decisiones; no revela lo que otra persona piensa."));
    }

    void referenceDatesCountFrom2001()
    {
        QCOMPARE(ReferenceDate::toDateTime(0), QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC));
        QCOMPARE(ReferenceDate::toDateTime(-978307200), QDateTime::fromSecsSinceEpoch(0, Qt::UTC));
        QCOMPARE(ReferenceDate::fromDateTime(QDateTime(QDate(2001, 1, 2), QTime(0, 0, 1), Qt::UTC)),
                 86401.0);
        // Absurd stored values must still convert to some valid time for display.
        for (double seconds : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity()})
            QVERIFY(ReferenceDate::toDateTime(seconds).isValid());
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
