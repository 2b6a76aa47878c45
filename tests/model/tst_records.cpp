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
    void newRecordsHoldTheirDefaults()
    {
        Preferences expected;
        expected.deck = QStringLiteral("Marsella · Quintrel");
        expected.spread = Spread::timeline;
        expected.animations = true;
        expected.autoSave = true;
        expected.theme = QStringLiteral("Esmeralda");
        QCOMPARE(Preferences(), expected);
        QVERIFY(!expected.reversals && !expected.sound && !expected.onboardingDone);
        QCOMPARE(SavedState().preferences, expected);

        const double before = ReferenceDate::now();
        const Reading a;
        const Reading b;
        QVERIFY(!a.id.isNull() && a.id != b.id);
        QVERIFY(a.date >= before && a.date <= ReferenceDate::now());
        QVERIFY(a.revealed == 0 && a.notes.isEmpty() && !a.favorite &&
                a.interpretations.isEmpty() && a.synthesis.isEmpty());

        Reading reading;
        QVERIFY(reading.complete()); // no cards, nothing to reveal
        reading.cards = {{3, false}, {7, true}, {12, false}};
        reading.revealed = 2;
        QVERIFY(!reading.complete());
        reading.revealed = 3;
        QVERIFY(reading.complete());
    }

    void decodesAndEncodesTheStateDocument()
    {
        QString error;
        const auto state =
            SavedState::decode(readFixture(QStringLiteral("state-two-readings.json")), &error);
        QVERIFY2(state, qPrintable(error));
        QCOMPARE(state->preferences.spread, Spread::celtic);
        QCOMPARE(state->preferences.theme, QStringLiteral("Noche"));
        QCOMPARE(state->history.size(), 2);
        const Reading& first = state->history.at(0);
        QCOMPARE(first.date, 745678901.123456);
        QCOMPARE(first.topic, Topic::personal);
        QCOMPARE(first.cards, (QList<DrawnCard>{{19, false}, {2, true}, {21, false}}));
        QCOMPARE(first.notes, QStringLiteral("Notas con acentos: camión, ñandú."));
        // Identifiers are read in either case and written in upper case.
        const Reading& second = state->history.at(1);
        QCOMPARE(second.id, QUuid(QStringLiteral("0b8e5c7a-1d2f-4e3a-8c9b-7a6d5e4f3a2b")));
        QCOMPARE(second.date, -3600.5);

        const QJsonObject json = state->toJson();
        const QJsonObject reading = json[QStringLiteral("history")][1].toObject();
        QCOMPARE(reading[QStringLiteral("id")].toString(),
                 QStringLiteral("0B8E5C7A-1D2F-4E3A-8C9B-7A6D5E4F3A2B"));
        QCOMPARE(reading[QStringLiteral("topic")].toString(), QStringLiteral("General"));
        // Every field is written, under its own key, and nothing else.
        const QStringList keys{QStringLiteral("history"), QStringLiteral("preferences")};
        QCOMPARE(json.keys(), keys);
        QCOMPARE(json[QStringLiteral("preferences")].toObject().size(), 9);
        QCOMPARE(reading.size(), 12);
        QCOMPARE(reading[QStringLiteral("cards")][0].toObject().keys(),
                 (QStringList{QStringLiteral("arcanaID"), QStringLiteral("reversed")}));
        QCOMPARE(SavedState::decode(QJsonDocument(json).toJson(), nullptr), state);
    }

    void roundTripsPreserveEveryFieldAndExactDates()
    {
        // Dates whose decimal form needs all 17 significant digits, negative dates and
        // dates without a fraction must all come back bit for bit.
        const QList<double> dates{
            0.0, 0.1, -3600.5, 745678901.123456789, 1.0 / 3.0, 123456789012.0, 4.9e-324};
        SavedState state;
        state.preferences.name = QStringLiteral("Ana «la lectora»\n\"comillas\"");
        for (double date : dates) {
            Reading reading;
            reading.date = date;
            reading.spread = Spread::cross;
            reading.topic = Topic::relationships;
            reading.cards = {{11, false}, {3, true}, {20, false}, {8, true}, {14, false}};
            reading.revealed = 4;
            reading.notes = QStringLiteral("línea 1\n\nlínea 2\t✦");
            reading.favorite = true;
            reading.interpretations = {QStringLiteral("a"), QString(), QStringLiteral("c")};
            state.history.append(reading);
        }
        Reading extreme;
        extreme.revealed = std::numeric_limits<qint64>::max();
        extreme.cards = {{std::numeric_limits<qint64>::min(), false}};
        state.history.append(extreme);

        for (auto format : {QJsonDocument::Indented, QJsonDocument::Compact}) {
            QString error;
            const auto decoded =
                SavedState::decode(QJsonDocument(state.toJson()).toJson(format), &error);
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

        int rows = 0;
        auto row = [&rows](const char* path, const QJsonValue& value, const char16_t* expected) {
            QTest::addRow("%d %s", ++rows, path)
                << stateWith(QString::fromLatin1(path), value) << QString::fromUtf16(expected);
        };
        const QJsonValue removed(QJsonValue::Undefined);
        row("history/1/notes", removed, u"Falta la clave «notes» en la tirada 2 del historial.");
        row("preferences/onboardingDone", removed,
            u"Falta la clave «onboardingDone» en las preferencias.");
        row("preferences", removed, u"Falta la clave «preferences» en el documento.");
        row("history/0/cards/2/reversed", removed,
            u"Falta la clave «reversed» en la carta 3 de la tirada 1 del historial.");
        row("history/1/date", QJsonValue::Null,
            u"La clave «date» en la tirada 2 del historial está vacía (null).");
        row("history/0/topic", QStringLiteral("general"),
            u"«general» no es un valor válido para la clave «topic» en la tirada 1 del historial.");
        row("preferences/spread", QStringLiteral("celtic "),
            u"«celtic » no es un valor válido para la clave «spread» en las preferencias.");
        row("history/0/spread", 1,
            u"La clave «spread» en la tirada 1 del historial debe ser un texto.");
        row("history/0/revealed", 1.5,
            u"La clave «revealed» en la tirada 1 del historial debe ser un número entero.");
        row("history/0/cards/1/arcanaID", 1e19,
            u"La clave «arcanaID» en la carta 2 de la tirada 1 del historial debe ser un número "
            u"entero.");
        row("history/1/date", QStringLiteral("2024-05-01"),
            u"La clave «date» en la tirada 2 del historial debe ser un número.");
        row("history/0/favorite", 1,
            u"La clave «favorite» en la tirada 1 del historial debe ser true o false.");
        row("history/0/cards", QJsonObject{},
            u"La clave «cards» en la tirada 1 del historial debe ser una lista.");
        row("preferences", QJsonArray{},
            u"La clave «preferences» en el documento debe ser un objeto.");
        row("history/1", QStringLiteral("tirada"),
            u"La tirada 2 del historial debe ser un objeto JSON.");
        row("history/0/cards/1", 7,
            u"La carta 2 de la tirada 1 del historial debe ser un objeto JSON.");
        row("history/0/interpretations/0", QJsonValue::Null,
            u"La interpretación 1 de la tirada 1 del historial debe ser un texto.");
        // Identifiers: 36 characters, hyphens in place, hexadecimal digits, no braces.
        for (const char* id :
             {"{6F1C2B9E-0A4D-4C8E-9B7A-3D2E1F0A5B6C}", "6F1C2B9E0A4D4C8E9B7A3D2E1F0A5B6C",
              "0B8E5C7A-1D2F-4E3A-8C9B-7A6D5E4F3A2G", "0B8E5C7A1-D2F-4E3A-8C9B-7A6D5E4F3A2B"})
            QTest::newRow(id) << stateWith(QStringLiteral("history/0/id"), QString::fromLatin1(id))
                              << QStringLiteral("«") + QString::fromLatin1(id) +
                                     QStringLiteral("» no es un valor válido para la clave «id» en "
                                                    "la tirada 1 del historial.");
        // Integers outside the 64-bit range cannot be built as QJsonValue, so they are
        // written into the text directly.
        for (const char* number : {"9223372036854775808", "1e300"}) {
            QByteArray bytes = stateWith(QStringLiteral("history/0/revealed"), 777777);
            bytes.replace("777777", number);
            QTest::newRow(number) << bytes
                                  << QStringLiteral("La clave «revealed» en la tirada 1 del "
                                                    "historial debe ser un número entero.");
        }
        QTest::newRow("a list") << QByteArray("[]")
                                << QStringLiteral("El documento debe ser un objeto JSON.");
        // Columns count characters as an editor shows them, not bytes.
        QTest::newRow("missing comma")
            << QByteArray("{\n  \"history\": []\n  \"preferences\": {}\n}")
            << QStringLiteral("El archivo no es JSON válido: un objeto no está cerrado (línea 3, "
                              "columna 4).");
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

    void strictDecodingNamesTheKeyAndThePlace()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, expected);
        // A description left over from an earlier failure never hides the new one, and a
        // caller without a place for the description still gets a failure.
        QString error = QStringLiteral("Un error anterior.");
        QVERIFY(!SavedState::decode(document, &error));
        QCOMPARE(error, expected);
        QVERIFY(!SavedState::decode(document, nullptr));
    }

    void integersUseTheFullSignedRange()
    {
        for (const char* number : {"9223372036854775807", "-9223372036854775808"}) {
            QByteArray bytes = stateWith(QStringLiteral("history/0/revealed"), 777777);
            bytes.replace("777777", number);
            QString error = QStringLiteral("Falta la clave «notes» en la tirada 2 del historial.");
            const auto state = SavedState::decode(bytes, &error);
            QVERIFY2(state, qPrintable(error));
            QCOMPARE(state->history.at(0).revealed, QByteArray(number).toLongLong());
        }
    }

    void deckDecodingIsStrictToo()
    {
        const QJsonArray deck{cardObject(0), cardObject(1), cardObject(2)};
        QString error;
        const auto decoded = Arcana::decodeDeck(QJsonDocument(deck).toJson(), &error);
        QVERIFY2(decoded, qPrintable(error));
        QCOMPARE(decoded->size(), 3);
        QCOMPARE(decoded->at(2).family, QStringLiteral("texto de family"));

        auto failure = [&deck](int index, const QString& key, const QJsonValue& value) {
            QJsonArray entries = deck;
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
        QCOMPARE(failure(1, QStringLiteral("family"), QJsonValue::Undefined),
                 QStringLiteral("Falta la clave «family» en la carta 2 de la baraja."));
        QCOMPARE(
            failure(2, QStringLiteral("id"), 1.5),
            QStringLiteral("La clave «id» en la carta 3 de la baraja debe ser un número entero."));
        QVERIFY(!Arcana::decodeDeck(QJsonDocument(cardObject(0)).toJson(), &error));
        QCOMPARE(error, QStringLiteral("La baraja debe ser una lista de cartas."));
        QVERIFY(!Arcana::decodeDeck("[{\"id\": 0}]", nullptr));
    }

    void enumerationsAcceptOnlyTheirExactRawValues()
    {
        for (Topic topic : allTopics()) {
            QCOMPARE(topicFromRaw(rawValue(topic)), std::optional<Topic>(topic));
            QVERIFY(!topicFromRaw(rawValue(topic).toLower()));
            QVERIFY(!topicFromRaw(QLatin1Char(' ') + rawValue(topic)));
        }
        for (const char* text : {"general", "relationships", "GENERAL", ""})
            QVERIFY(!topicFromRaw(QString::fromUtf8(text)));
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
