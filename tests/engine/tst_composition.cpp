// The texts the engine composes: interpretations, relationships and syntheses. Fixture cards
// carry their number in every field ("luz 5", "sombra 5"), so a row shows what landed where.

#include "engine/reading_engine.h"
#include "model/catalog.h"

#include <QTest>

using namespace ReadingEngine;

class TestComposition : public QObject {
    Q_OBJECT

    static Arcana card(qint64 id, const QString& family)
    {
        const QString n = QString::number(id);
        const auto t = [&](const char* field) -> QString { return QString::fromUtf8(field) + n; };
        const QString none;
        return {id,          t("Carta "),  none,          none,
                t("Clave "), none,         t("derecho "), t("invertido "),
                t("luz "),   t("sombra "), t("consejo "), t("¿Reflexión ") + QLatin1Char('?'),
                family};
    }
    // Card i is in family families[i]; deck("aab") holds two cards of "a" and one of "b".
    static QList<Arcana> deck(const QStringList& families)
    {
        QList<Arcana> cards;
        for (qsizetype i = 0; i < families.size(); ++i)
            cards.append(card(i, families.at(i)));
        return cards;
    }
    static QList<Arcana> deck(const char* letters)
    {
        return deck(QString::fromUtf8(letters).split(QString(), Qt::SkipEmptyParts));
    }
    static QList<Arcana> distinct() { return deck("abcdefghijklmnopqrstuv"); }
    static Reading reading(Spread spread, const QList<qint64>& ids,
                           const QList<bool>& reversed = {})
    {
        Reading r;
        r.spread = spread;
        for (qsizetype i = 0; i < ids.size(); ++i)
            r.cards.append(DrawnCard{ids.at(i), reversed.value(i, false)});
        return r;
    }
    static QStringList paragraphs(const QString& t) { return t.split(QStringLiteral("\n\n")); }
    static Position at(Role role) { return {QStringLiteral("Título"), {}, role, 0.5, 0.5}; }
    static QString closing(const Arcana& card)
    {
        return QStringLiteral("Para llevar la lectura a tu vida: ") + card.reflection +
               QStringLiteral(" Elige una acción pequeña y revisa después qué ocurrió realmente.");
    }
    static QString recurring(const QString& names)
    {
        return QStringLiteral("Se repite un tema en ") + names +
               QStringLiteral(". Esa repetición merece atención al comparar las posiciones.");
    }
    static QString familyText(const QString& a, const QString& b, const QString& keywordsA,
                              const QString& keywordsB)
    {
        return QStringLiteral("%1 y %2 insisten en un mismo ámbito simbólico. El tema de %3 "
                              "dialoga con %4; observa qué aspecto se repite y qué matiz añade "
                              "cada posición.")
            .arg(a, b, keywordsA, keywordsB);
    }
    static QString familyText(int a, int b)
    {
        return familyText(QStringLiteral("Carta %1").arg(a), QStringLiteral("Carta %1").arg(b),
                          QStringLiteral("clave %1").arg(a), QStringLiteral("clave %1").arg(b));
    }
    static QString generalText(int a, int b)
    {
        return QStringLiteral("Carta %1 propone luz %1, mientras Carta %2 añade luz %2. La "
                              "relación invita a dar espacio a ambas necesidades en lugar de "
                              "resolver la consulta desde una sola imagen.")
            .arg(a)
            .arg(b);
    }
    static QString reversalSentence(const char* count)
    {
        return QStringLiteral(" Hay ") + QString::fromUtf8(count) +
               QStringLiteral(" en esta relación: revisa qué energía cuesta expresar o aparece "
                              "en exceso antes de trasladar el conjunto a una acción.");
    }
    const QString fixedParagraph = QStringLiteral(
        "Esta lectura se elabora localmente a partir de los símbolos, las posiciones y el "
        "ámbito elegido. La pregunta queda como contexto para tu reflexión; no se analiza su "
        "contenido ni se predicen hechos.");

private slots:
    // Card 5 in every role: the role paragraph, the meaning, the reversal note when
    // reversed, and the topic's framing.
    void interpretations_data()
    {
        QTest::addColumn<Role>("role");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<QString>("expected");
        // Roles whose paragraph takes the light upright and the shadow reversed.
        const std::pair<Role, const char*> themed[] = {
            {Role::past, "Como antecedente, observa dónde has vivido %1 5. Esa experiencia "
                         "puede seguir influyendo, pero no determina lo que hagas ahora."},
            {Role::present, "En esta posición, la carta pone el foco en %1 5. Comprueba si "
                            "reconoces ese tema en la situación que estás viviendo."},
            {Role::future, "Como tendencia, plantea la posibilidad de %1 5. Es una hipótesis "
                           "simbólica para explorar: cambiar tus decisiones puede cambiar el "
                           "recorrido."},
            {Role::synthesis, "Como síntesis, Carta 5 reúne el tema de %1 5. Lee las demás "
                              "cartas a través de esta imagen sin borrar sus diferencias."}};
        for (const auto& [role, text] : themed) {
            const QString paragraph = QString::fromUtf8(text);
            QTest::addRow("%s", qPrintable(rawValue(role)))
                << role << false << paragraph.arg(QStringLiteral("luz"));
            QTest::addRow("%s reversed", qPrintable(rawValue(role)))
                << role << true << paragraph.arg(QStringLiteral("sombra"));
        }
        const auto row = [](const char* name, Role role, bool reversed, const char* text) {
            QTest::newRow(name) << role << reversed << QString::fromUtf8(text);
        };
        row("obstacle", Role::obstacle, false,
            "Como obstáculo, conviene revisar sombra 5. Incluso una cualidad útil puede "
            "complicar la situación si se exagera o falta equilibrio.");
        row("obstacle reversed", Role::obstacle, true,
            "Como obstáculo, conviene revisar sombra 5. La inversión refuerza la invitación a "
            "observar el bloqueo.");
        row("support", Role::support, false,
            "Como apoyo, señala el recurso de luz 5. Piensa en una manera concreta de ponerlo a "
            "tu favor.");
        row("support reversed", Role::support, true,
            "Como apoyo, señala el recurso de luz 5. La inversión sugiere que ese recurso "
            "necesita atención antes de estar disponible.");
        row("advice", Role::advice, false, "Como orientación práctica: consejo 5");
        row("advice reversed", Role::advice, true,
            "Como orientación práctica: consejo 5 Empieza con un gesto pequeño que no repita el "
            "bloqueo descrito.");
    }

    void interpretations()
    {
        QFETCH(Role, role);
        QFETCH(bool, reversed);
        QFETCH(QString, expected);
        const QString note = QStringLiteral("La inversión se lee como bloqueo, exceso o "
                                            "interiorización del símbolo; no como una sentencia "
                                            "negativa.");
        // The topic changes only the framing; the position's title and meaning change nothing.
        for (Topic topic : allTopics()) {
            const Position place{QStringLiteral("Título %1").arg(int(topic)), {}, role, 0.1, 0.9};
            QCOMPARE(
                paragraphs(interpretation({5, reversed}, place, topic, distinct())),
                (reversed
                     ? QStringList{expected, QStringLiteral("invertido 5"), note, framing(topic)}
                     : QStringList{expected, QStringLiteral("derecho 5"), framing(topic)}));
        }
    }

    void emptyFieldsAndUnknownCards()
    {
        QList<Arcana> cards = deck("aaab");
        cards[1].upright.clear();
        cards[2].reversed = QStringLiteral("  ");
        const auto past = [&](DrawnCard card) {
            return paragraphs(interpretation(card, at(Role::past), Topic::general, cards));
        };
        // An empty meaning is dropped; one made of blanks is the deck's own text, and stays.
        QCOMPARE(past({1, false}).size(), 2);
        QCOMPARE(past({2, true}).at(1), QStringLiteral("  "));
        // Nothing is said of a card the deck lacks, and it counts in no family.
        QCOMPARE(past({4, false}), QStringList{QString()});
        QCOMPARE(relationship({7, true}, {0, false}, cards), QString());
        QCOMPARE(relationship({2, false}, {9, false}, cards), QString()); // a listed pair, too
        QCOMPARE(paragraphs(synthesis(reading(Spread::cross, {0, 3, 1, 2, 42}), cards)).at(1),
                 recurring(QStringLiteral("Carta 0, Carta 1, Carta 2")));
    }

    // A listed pair has its own text in either order, even where a family would match, and
    // names its cards itself.
    void specialPairs()
    {
        const std::tuple<qint64, qint64, const char*> pairs[] = {
            {2, 9, "La Papisa y El Ermitaño reúnen escucha"},
            {4, 16, "El Emperador y La Torre confrontan estructura"},
            {18, 19, "La Luna y El Sol ponen en diálogo"},
            {13, 17, "El Arcano sin Nombre y La Estrella conectan un cierre"},
            {7, 12, "El Carro y El Colgado contrastan avance"},
            {6, 15, "Los Enamorados y El Diablo invitan a distinguir"},
            {11, 14, "La Fuerza y La Templanza reúnen firmeza"},
            {0, 21, "El Loco y El Mundo enlazan comienzo"}};
        for (const auto& [a, b, opening] : pairs) {
            const QString text = relationship({a, false}, {b, false});
            QVERIFY(text.startsWith(QString::fromUtf8(opening) + QLatin1Char(' ')));
            QCOMPARE(relationship({b, false}, {a, false}), text);
            QCOMPARE(relationship({b, false}, {a, false}, deck("ffffffffffffffffffffff")), text);
        }
    }

    void familyAndGeneralTexts()
    {
        const QList<Arcana> cards =
            deck({QString(), QString(), QStringLiteral("x"), QStringLiteral("transformación"),
                  QStringLiteral("transformacio\u0301n"), QStringLiteral("Transformación"),
                  QStringLiteral("transformación "), QStringLiteral("transformacion")});
        const auto rel = [&](qint64 a, qint64 b) {
            return relationship({a, false}, {b, false}, cards);
        };
        // Empty families are one family; A is named first, whichever card it is.
        QCOMPARE(rel(0, 1), familyText(0, 1));
        QCOMPARE(rel(0, 2), generalText(0, 2));
        QCOMPARE(rel(2, 0), generalText(2, 0));
        // Canonically equivalent spellings are one family; case, a trailing blank or a missing
        // accent make another.
        QCOMPARE(rel(3, 4), familyText(3, 4));
        for (int other : {5, 6, 7})
            QCOMPARE(rel(3, other), generalText(3, other));

        QList<Arcana> cased = deck("ff");
        cased[0].name = QStringLiteral("ÉL ÁRBOL");
        cased[0].keywords = QStringLiteral("ÁRBOL, ÑANDÚ, Éxito, Ölüm, İz, ÇAĞ, ΟΔΟΣ ΣΑ, 12 €");
        cased[1].keywords = QStringLiteral("Río, ÜBERMUT, ÆØÅ, ǅ, ẞ");
        QCOMPARE(
            relationship({0, false}, {1, false}, cased),
            familyText(QStringLiteral("ÉL ÁRBOL"), QStringLiteral("Carta 1"),
                       QStringLiteral("árbol, ñandú, éxito, ölüm, i\u0307z, çağ, οδος σα, 12 €"),
                       QStringLiteral("río, übermut, æøå, ǆ, ß")));
    }

    // One reversed card adds "una inversión", two add "dos inversiones", after a family or a
    // general text of a fixture and after a listed pair of the real deck.
    void reversalSentence()
    {
        const QList<Arcana> cards = deck("aab");
        for (const auto& [a, b, base] :
             {std::tuple{0, 1, familyText(0, 1)}, std::tuple{1, 2, generalText(1, 2)},
              std::tuple{19, 18, relationship({18, false}, {19, false})}}) {
            const QList<Arcana> used = a < 3 ? cards : Catalog::cards();
            const auto rel = [&](bool ra, bool rb) { return relationship({a, ra}, {b, rb}, used); };
            QCOMPARE(rel(false, false), base);
            QCOMPARE(rel(true, false), base + reversalSentence("una inversión"));
            QCOMPARE(rel(false, true), base + reversalSentence("una inversión"));
            QCOMPARE(rel(true, true), base + reversalSentence("dos inversiones"));
        }
    }

    void spreadParagraphs_data()
    {
        QTest::addColumn<Spread>("spread");
        QTest::addColumn<QList<qint64>>("ids");
        QTest::addColumn<QList<bool>>("reversed");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, Spread spread, const QList<qint64>& ids,
                            const QList<bool>& reversed, const QString& text) {
            QTest::newRow(name) << spread << ids << reversed << text;
        };
        const QList<bool> all(10, true);
        const QString daily =
            QStringLiteral("Tu carta invita a prestar atención a %1 4. consejo 4");
        row("daily", Spread::daily, {4}, {}, daily.arg(QStringLiteral("luz")));
        row("daily reversed", Spread::daily, {4}, all, daily.arg(QStringLiteral("sombra")));
        row("timeline", Spread::timeline, {1, 2, 3}, all,
            QStringLiteral("El recorrido va de Carta 1, a través de Carta 2, hacia Carta 3. Lee el "
                           "pasado como aprendizaje, el presente como margen de acción y la "
                           "última carta como una posibilidad que puedes contrastar, no como un "
                           "destino fijado."));
        // The second card's shadow, whether or not it is reversed.
        row("guidance", Spread::guidance, {5, 6, 7}, {},
            QStringLiteral("Carta 5 describe el foco; Carta 6 invita a revisar sombra 6. El "
                           "consejo de Carta 7 propone este paso: consejo 7"));
        const QString cross = QStringLiteral(
            "El apoyo de Carta 1 se contrasta con el obstáculo de Carta 2. La posición superior "
            "describe tu estado actual y la inferior una dirección posible. En el centro, Carta "
            "5 invita a integrar el conjunto desde %1 5.");
        row("cross", Spread::cross, {1, 2, 3, 4, 5}, {true, true},
            cross.arg(QStringLiteral("luz")));
        row("cross, centre reversed", Spread::cross, {1, 2, 3, 4, 5},
            {false, false, false, false, true}, cross.arg(QStringLiteral("sombra")));
        row("celtic", Spread::celtic, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, all,
            QStringLiteral("El centro reúne Carta 9 y el desafío de Carta 8. El panorama de Carta "
                           "0 debe leerse junto a tu actitud y al entorno: ninguna de estas "
                           "posiciones decide por ti."));
    }

    // Then the relationship of the first card with the last, and in cross and celtic of the
    // first with the second; the closing takes the last card's reflection.
    void spreadParagraphs()
    {
        QFETCH(Spread, spread);
        QFETCH(QList<qint64>, ids);
        QFETCH(QList<bool>, reversed);
        QFETCH(QString, expected);
        const QStringList parts = paragraphs(synthesis(reading(spread, ids, reversed), distinct()));
        const auto drawn = [&](qsizetype i) { return DrawnCard{ids.at(i), reversed.value(i)}; };
        QStringList relations;
        if (ids.size() > 1)
            relations << relationship(drawn(0), drawn(ids.size() - 1), distinct());
        if (spread == Spread::cross || spread == Spread::celtic)
            relations << relationship(drawn(0), drawn(1), distinct());
        QCOMPARE(parts, (QStringList{expected} + relations +
                         QStringList{closing(distinct().at(ids.last())), fixedParagraph}));
    }

    void recurringFamilyNamesCardsInReadingOrder()
    {
        const QList<Arcana> cards = deck(
            {QStringLiteral("agua"), QStringLiteral("fuego"), QStringLiteral("agua"),
             QStringLiteral("fuego"), QStringLiteral("aire"), QStringLiteral("agua"),
             QStringLiteral("Agua"), QStringLiteral("agu\u00E1"), QStringLiteral("agua\u0301")});
        const auto synth = [&](Spread spread, const QList<qint64>& ids) {
            return paragraphs(synthesis(reading(spread, ids), cards));
        };
        // Two of a family are not enough, not even two pairs; a capital makes another family;
        // canonically equivalent spellings are one.
        QCOMPARE(synth(Spread::cross, {0, 1, 2, 3, 4}).size(), 5);
        QCOMPARE(synth(Spread::timeline, {0, 6, 2}).size(), 4);
        QCOMPARE(synth(Spread::cross, {4, 5, 1, 0, 2}).at(3),
                 recurring(QStringLiteral("Carta 5, Carta 0, Carta 2")));
        QCOMPARE(synth(Spread::cross, {7, 1, 8, 3, 7}).at(3),
                 recurring(QStringLiteral("Carta 7, Carta 8, Carta 7")));
        // Two families of four: the one whose first card comes first is named; a larger
        // family wins over an earlier, smaller one.
        const QList<Arcana> tied = deck("aaaabbbbccd");
        const auto named = [&](const QList<qint64>& ids) {
            return paragraphs(synthesis(reading(Spread::celtic, ids), tied)).at(3);
        };
        const QString b = recurring(QStringLiteral("Carta 4, Carta 5, Carta 6, Carta 7"));
        QCOMPARE(named({8, 4, 0, 5, 1, 6, 2, 7, 3, 9}), b);
        QCOMPARE(named({0, 4, 5, 1, 6, 2, 7, 3, 8, 9}),
                 recurring(QStringLiteral("Carta 0, Carta 1, Carta 2, Carta 3")));
        QCOMPARE(named({0, 1, 2, 8, 4, 5, 10, 6, 7, 9}), b);
    }

    // A name that begins with "Los " or "Las " takes the plural verb in every fixed sentence
    // whose subject it is.
    void pluralNamesTakePluralVerbs_data()
    {
        QTest::addColumn<bool>("realDeck");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plural");
        QTest::newRow("real deck") << true << QStringLiteral("Los Enamorados") << true;
        QTest::newRow("Las") << false << QStringLiteral("Las Cartas") << true;
        QTest::newRow("Losa") << false << QStringLiteral("Losa Antigua") << false;
    }

    void pluralNamesTakePluralVerbs()
    {
        QFETCH(bool, realDeck);
        QFETCH(QString, name);
        QFETCH(bool, plural);
        QList<Arcana> cards = realDeck ? Catalog::cards() : distinct();
        cards[6].name = name;
        const auto subject = [&](const char* verb) -> QString {
            return name + QLatin1Char(' ') + QString::fromUtf8(verb) +
                   (plural ? QStringLiteral("n ") : QStringLiteral(" "));
        };
        const auto spread = [&](Spread spread, const QList<qint64>& ids) {
            return synthesis(reading(spread, ids, {false, false, false, false, true}), cards);
        };
        const std::pair<QString, QString> sentences[] = {
            {interpretation({6, false}, at(Role::synthesis), Topic::general, cards),
             subject("reúne") + QStringLiteral("el tema de")},
            {spread(Spread::guidance, {6, 7, 8}), subject("describe") + QStringLiteral("el foco")},
            {spread(Spread::guidance, {7, 6, 8}), subject("invita") + QStringLiteral("a revisar")},
            {spread(Spread::cross, {7, 8, 2, 3, 6}),
             subject("invita") + QStringLiteral("a integrar")},
            {relationship({6, false}, {7, true}, cards), subject("propone")},
            {relationship({7, true}, {6, false}, cards),
             QStringLiteral(", mientras ") + subject("añade")},
            // "El consejo de …" is the subject here: the verb stays singular.
            {spread(Spread::guidance, {7, 8, 6}),
             QStringLiteral("de ") + name + QStringLiteral(" propone este paso")}};
        QStringList missing;
        for (const auto& [text, fragment] : sentences) {
            if (!text.contains(fragment))
                missing << fragment;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('|'))));
    }

    void finishFillsInterpretationsAndSynthesisOnly()
    {
        Reading original = reading(Spread::cross, {11, 3, 20, 8, 14}, {false, true, false, true});
        original.revealed = 2;
        original.notes = QStringLiteral("mis notas");
        original.interpretations = QStringList(6, QStringLiteral("vieja"));
        original.synthesis = QStringLiteral("antigua");
        Reading done = finish(original);
        QCOMPARE(done.interpretations.size(), 5);
        for (qsizetype i = 0; i < 5; ++i) {
            QCOMPARE(done.interpretations.at(i),
                     interpretation(original.cards.at(i), positions(Spread::cross).at(i),
                                    Topic::general));
        }
        QCOMPARE(done.synthesis, synthesis(original));
        Reading expected = original;
        expected.interpretations = done.interpretations;
        expected.synthesis = done.synthesis;
        QCOMPARE(done, expected);
        // What the synthesis does not read changes nothing in it.
        done.question = QStringLiteral("Otra pregunta");
        done.topic = Topic::relationships;
        done.reader = QStringLiteral("Alguien");
        QCOMPARE(synthesis(done), synthesis(original));
        // One interpretation per card or per position, whichever list is shorter.
        QCOMPARE(finish(reading(Spread::celtic, {0, 1, 2})).interpretations.size(), 3);
        QCOMPARE(finish(reading(Spread::guidance, {0, 1, 2, 3, 4})).interpretations.size(), 3);
        QCOMPARE(synthesis(reading(Spread::celtic, {})), QString());
    }
};

QTEST_GUILESS_MAIN(TestComposition)
#include "tst_composition.moc"
