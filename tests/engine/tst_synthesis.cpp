#include "engine/reading_engine.h"
#include "engine_fixtures.h"

#include <QTest>

using namespace ReadingEngine;

class TestSynthesis : public QObject {
    Q_OBJECT

private slots:
    void crossWorkedExample();
    void spreadParagraphs();
    void paragraphCountsForEverySpread();
    void recurringFamilyListsNamesInReadingOrder();
    void recurringFamilyTieGoesToTheEarliestGroup();
    void unreadFieldsChangeNothing();
    void shortAndEmptyReadings();
    void unknownCardsAreLeftOut();
    void finishFillsInterpretationsAndSynthesisOnly();
    void finishPairsUpToTheShorterList();
};

namespace {

const QString fixedParagraph = QStringLiteral(
    "Esta lectura se elabora localmente a partir de los símbolos, las posiciones y el ámbito "
    "elegido. La pregunta queda como contexto para tu reflexión; no se analiza su contenido ni "
    "se predicen hechos.");

QString closing(const Arcana& card)
{
    return QStringLiteral("Para llevar la lectura a tu vida: ") + card.reflection +
           QStringLiteral(" Elige una acción pequeña y revisa después qué ocurrió realmente.");
}

Reading reading(Spread spread, const QList<qint64>& ids, const QList<bool>& reversed = {})
{
    Reading r;
    r.spread = spread;
    r.question = QStringLiteral("¿Qué necesito ver?");
    r.topic = Topic::projects;
    for (qsizetype i = 0; i < ids.size(); ++i)
        r.cards.append(DrawnCard{ids.at(i), reversed.value(i, false)});
    return r;
}

QStringList paragraphs(const QString& text)
{
    return text.split(QStringLiteral("\n\n"));
}

QList<qint64> firstIds(qsizetype count)
{
    QList<qint64> ids;
    for (qsizetype i = 0; i < count; ++i)
        ids.append(i);
    return ids;
}

} // namespace

void TestSynthesis::crossWorkedExample()
{
    const Arcana& strength = EngineFixtures::real(11);
    const Arcana& empress = EngineFixtures::real(3);
    const Arcana& temperance = EngineFixtures::real(14);
    const QStringList parts = paragraphs(synthesis(reading(Spread::cross, {11, 3, 20, 8, 14})));
    QCOMPARE(parts.size(), 5);
    QCOMPARE(parts.at(0),
             QStringLiteral("El apoyo de ") + strength.name +
                 QStringLiteral(" se contrasta con el obstáculo de ") + empress.name +
                 QStringLiteral(". La posición superior describe tu estado actual y la inferior "
                                "una dirección posible. En el centro, ") +
                 temperance.name + QStringLiteral(" invita a integrar el conjunto desde ") +
                 temperance.light + QStringLiteral("."));
    QCOMPARE(parts.at(1),
             QStringLiteral("La Fuerza y La Templanza reúnen firmeza y regulación. Un límite "
                            "sostenido con calma puede resultar más útil que intensificar la "
                            "presión."));
    QCOMPARE(parts.at(2),
             strength.name + QStringLiteral(" propone ") + strength.light +
                 QStringLiteral(", mientras ") + empress.name + QStringLiteral(" añade ") +
                 empress.light +
                 QStringLiteral(". La relación invita a dar espacio a ambas necesidades en lugar "
                                "de resolver la consulta desde una sola imagen."));
    QCOMPARE(parts.at(3), closing(temperance));
    QCOMPARE(parts.at(4), fixedParagraph);

    // The centre card reversed: its shadow, and a reversal sentence on the pair.
    const QStringList reversed = paragraphs(
        synthesis(reading(Spread::cross, {11, 3, 20, 8, 14}, {false, false, false, false, true})));
    QVERIFY(reversed.at(0).endsWith(QStringLiteral(" invita a integrar el conjunto desde ") +
                                    temperance.shadow + QStringLiteral(".")));
    QVERIFY(
        reversed.at(1).endsWith(QStringLiteral(" antes de trasladar el conjunto a una acción.")));
    QCOMPARE(reversed.at(2), parts.at(2));
}

void TestSynthesis::spreadParagraphs()
{
    const QList<Arcana> deck = EngineFixtures::distinctFamilies();
    // Reversal of the first card decides the daily theme.
    QCOMPARE(paragraphs(synthesis(reading(Spread::daily, {4}), deck)).first(),
             QStringLiteral("Tu carta invita a prestar atención a luz 4. consejo 4"));
    QCOMPARE(paragraphs(synthesis(reading(Spread::daily, {4}, {true}), deck)).first(),
             QStringLiteral("Tu carta invita a prestar atención a sombra 4. consejo 4"));

    const QString timeline =
        QStringLiteral("El recorrido va de Carta 1, a través de Carta 2, hacia Carta 3. Lee el "
                       "pasado como aprendizaje, el presente como margen de acción y la última "
                       "carta como una posibilidad que puedes contrastar, no como un destino "
                       "fijado.");
    QCOMPARE(paragraphs(synthesis(reading(Spread::timeline, {1, 2, 3}), deck)).first(), timeline);
    QCOMPARE(paragraphs(synthesis(reading(Spread::timeline, {1, 2, 3}, {true, true, true}), deck))
                 .first(),
             timeline);

    // The second card's shadow, upright or not.
    const QString guidance = QStringLiteral("Carta 5 describe el foco; Carta 6 invita a revisar "
                                            "sombra 6. El consejo de Carta 7 propone este paso: "
                                            "consejo 7");
    QCOMPARE(paragraphs(synthesis(reading(Spread::guidance, {5, 6, 7}), deck)).first(), guidance);
    QCOMPARE(paragraphs(synthesis(reading(Spread::guidance, {5, 6, 7}, {true, true, true}), deck))
                 .first(),
             guidance);

    const QString celtic =
        QStringLiteral("El centro reúne Carta 9 y el desafío de Carta 8. El panorama de Carta 0 "
                       "debe leerse junto a tu actitud y al entorno: ninguna de estas posiciones "
                       "decide por ti.");
    QCOMPARE(paragraphs(synthesis(reading(Spread::celtic, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}), deck))
                 .first(),
             celtic);

    // The closing always takes the last card's reflection.
    for (Spread spread : allSpreads()) {
        const qsizetype count = positions(spread).size();
        QList<qint64> ids = firstIds(count);
        std::reverse(ids.begin(), ids.end());
        const QStringList parts = paragraphs(synthesis(reading(spread, ids), deck));
        QCOMPARE(parts.at(parts.size() - 2), closing(deck.at(0)));
        QCOMPARE(parts.last(), fixedParagraph);
    }
}

void TestSynthesis::paragraphCountsForEverySpread()
{
    const QList<Arcana> distinct = EngineFixtures::distinctFamilies();
    const QList<Arcana> oneFamily = EngineFixtures::deck(QStringList(22, QStringLiteral("uno")));
    struct Expected {
        Spread spread;
        int withoutRecurring;
        int withRecurring;
    };
    for (const Expected& e : {Expected{Spread::daily, 3, 3}, Expected{Spread::timeline, 4, 5},
                              Expected{Spread::guidance, 4, 5}, Expected{Spread::cross, 5, 6},
                              Expected{Spread::celtic, 5, 6}}) {
        const Reading r = reading(e.spread, firstIds(positions(e.spread).size()));
        const QStringList plain = paragraphs(synthesis(r, distinct));
        QCOMPARE(plain.size(), e.withoutRecurring);
        QCOMPARE(paragraphs(synthesis(r, oneFamily)).size(), e.withRecurring);
    }

    // timeline relates first with last only; cross and celtic also first with second.
    const QStringList timeline =
        paragraphs(synthesis(reading(Spread::timeline, {1, 2, 3}), distinct));
    QCOMPARE(timeline.at(1), relationship({1, false}, {3, false}, distinct));
    const QStringList cross =
        paragraphs(synthesis(reading(Spread::cross, {1, 2, 3, 4, 5}, {false, true}), distinct));
    QCOMPARE(cross.at(1), relationship({1, false}, {5, false}, distinct));
    QCOMPARE(cross.at(2), relationship({1, false}, {2, true}, distinct));
    const QStringList celtic =
        paragraphs(synthesis(reading(Spread::celtic, firstIds(10)), distinct));
    QCOMPARE(celtic.at(1), relationship({0, false}, {9, false}, distinct));
    QCOMPARE(celtic.at(2), relationship({0, false}, {1, false}, distinct));
}

void TestSynthesis::recurringFamilyListsNamesInReadingOrder()
{
    const QList<Arcana> deck = EngineFixtures::deck(
        {QStringLiteral("agua"), QStringLiteral("fuego"), QStringLiteral("agua"),
         QStringLiteral("fuego"), QStringLiteral("aire"), QStringLiteral("agua"),
         QStringLiteral("Agua"), QStringLiteral("agu\u00E1"), QStringLiteral("agua\u0301")});
    // Two of a family are not enough, not even two pairs.
    QCOMPARE(paragraphs(synthesis(reading(Spread::cross, {0, 1, 2, 3, 4}), deck)).size(), 5);
    // Three are: named in reading order, ", " between them, no conjunction.
    const QStringList three = paragraphs(synthesis(reading(Spread::cross, {4, 5, 1, 0, 2}), deck));
    QCOMPARE(three.size(), 6);
    QCOMPARE(three.at(3), QStringLiteral("Se repite un tema en Carta 5, Carta 0, Carta 2. Esa "
                                         "repetición merece atención al comparar las "
                                         "posiciones."));
    // All three cards of a timeline.
    QCOMPARE(paragraphs(synthesis(reading(Spread::timeline, {2, 0, 5}), deck)).at(2),
             QStringLiteral("Se repite un tema en Carta 2, Carta 0, Carta 5. Esa repetición "
                            "merece atención al comparar las posiciones."));
    // A capital makes another family.
    QCOMPARE(paragraphs(synthesis(reading(Spread::timeline, {0, 6, 2}), deck)).size(), 4);
    // Canonically equivalent spellings are one family; the names come in reading order.
    QCOMPARE(paragraphs(synthesis(reading(Spread::timeline, {8, 4, 7}), deck)).size(), 4);
    const QStringList accented =
        paragraphs(synthesis(reading(Spread::cross, {7, 1, 8, 3, 7}), deck));
    QCOMPARE(accented.at(3), QStringLiteral("Se repite un tema en Carta 7, Carta 8, Carta 7. Esa "
                                            "repetición merece atención al comparar las "
                                            "posiciones."));
}

void TestSynthesis::recurringFamilyTieGoesToTheEarliestGroup()
{
    // Ten cards: families b and a four times each, c twice. b's first card comes first.
    const QList<Arcana> deck = EngineFixtures::deck(
        {QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("a"),
         QStringLiteral("b"), QStringLiteral("b"), QStringLiteral("b"), QStringLiteral("b"),
         QStringLiteral("c"), QStringLiteral("c")});
    const QString tied =
        paragraphs(synthesis(reading(Spread::celtic, {8, 4, 0, 5, 1, 6, 2, 7, 3, 9}), deck)).at(3);
    QCOMPARE(tied, QStringLiteral("Se repite un tema en Carta 4, Carta 5, Carta 6, Carta 7. Esa "
                                  "repetición merece atención al comparar las posiciones."));
    // The other order of first appearance names the other family.
    QVERIFY(paragraphs(synthesis(reading(Spread::celtic, {0, 4, 5, 1, 6, 2, 7, 3, 8, 9}), deck))
                .at(3)
                .startsWith(QStringLiteral("Se repite un tema en Carta 0, Carta 1, Carta 2, "
                                           "Carta 3.")));
    // A larger family wins over an earlier, smaller one.
    const QList<Arcana> uneven = EngineFixtures::deck(
        {QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("b"),
         QStringLiteral("b"), QStringLiteral("b"), QStringLiteral("b"), QStringLiteral("c"),
         QStringLiteral("d"), QStringLiteral("e")});
    QVERIFY(paragraphs(synthesis(reading(Spread::celtic, {0, 1, 2, 7, 3, 4, 8, 5, 6, 9}), uneven))
                .at(3)
                .startsWith(QStringLiteral("Se repite un tema en Carta 3, Carta 4, Carta 5, "
                                           "Carta 6.")));
}

void TestSynthesis::unreadFieldsChangeNothing()
{
    const Reading base = reading(Spread::celtic, {4, 16, 0, 21, 9, 2, 18, 19, 13, 17},
                                 {true, false, true, false, false, true, false, false, true, true});
    const QString expected = synthesis(base);
    Reading changed = base;
    changed.question = QStringLiteral("Otra pregunta muy distinta");
    changed.notes = QStringLiteral("Notas");
    changed.revealed = 7;
    changed.reader = QStringLiteral("Alguien");
    changed.favorite = true;
    changed.topic = Topic::relationships;
    changed.date += 1000;
    changed.id = QUuid::createUuid();
    changed.interpretations = {QStringLiteral("x")};
    changed.synthesis = QStringLiteral("y");
    QCOMPARE(synthesis(changed), expected);
    // What it does read: the spread and the cards.
    changed.spread = Spread::cross;
    QVERIFY(synthesis(changed) != expected);
    changed = base;
    changed.cards[0].reversed = false;
    QVERIFY(synthesis(changed) != expected);
}

void TestSynthesis::shortAndEmptyReadings()
{
    for (Spread spread : allSpreads())
        QCOMPARE(synthesis(reading(spread, {})), QString());

    // A daily reading is three paragraphs and never a relationship.
    const Arcana& moon = EngineFixtures::real(18);
    QCOMPARE(synthesis(reading(Spread::daily, {18})),
             QStringLiteral("Tu carta invita a prestar atención a ") + moon.light +
                 QStringLiteral(". ") + moon.advice + QStringLiteral("\n\n") + closing(moon) +
                 QStringLiteral("\n\n") + fixedParagraph);

    // A spread that names a second card, given only one: the spread paragraph is left out
    // rather than made up; the closing and the fixed paragraph remain.
    for (Spread spread : {Spread::timeline, Spread::guidance, Spread::cross, Spread::celtic}) {
        QCOMPARE(synthesis(reading(spread, {18})),
                 closing(moon) + QStringLiteral("\n\n") + fixedParagraph);
    }
}

void TestSynthesis::unknownCardsAreLeftOut()
{
    const QList<Arcana> deck = EngineFixtures::deck(
        {QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("b")});
    // The middle card of a timeline is unknown: no spread paragraph (it names that card),
    // the first-with-last relationship, no family count for it, the closing, the fixed text.
    QCOMPARE(synthesis(reading(Spread::timeline, {0, 99, 1}), deck),
             relationship({0, false}, {1, false}, deck) + QStringLiteral("\n\n") +
                 closing(deck.at(1)) + QStringLiteral("\n\n") + fixedParagraph);
    // The last card is unknown: nothing that names it; the first-with-second relationship of
    // a cross still stands, and the three cards of family a still recur.
    QCOMPARE(synthesis(reading(Spread::cross, {0, 3, 1, 2, 42}), deck),
             relationship({0, false}, {3, false}, deck) +
                 QStringLiteral("\n\nSe repite un tema en Carta 0, Carta 1, Carta 2. Esa "
                                "repetición merece atención al comparar las posiciones.\n\n") +
                 fixedParagraph);
    QCOMPARE(synthesis(reading(Spread::daily, {-5}), deck), fixedParagraph);

    const Reading finished = finish(reading(Spread::timeline, {0, 99, 1}), deck);
    QCOMPARE(finished.interpretations.size(), 3);
    QCOMPARE(finished.interpretations.at(1), QString());
    QVERIFY(!finished.interpretations.at(0).isEmpty());
}

void TestSynthesis::finishFillsInterpretationsAndSynthesisOnly()
{
    Reading original = reading(Spread::cross, {11, 3, 20, 8, 14}, {false, true, false, true});
    original.reader = QStringLiteral("Lector");
    original.revealed = 2;
    original.notes = QStringLiteral("mis notas");
    original.favorite = true;
    original.interpretations = {QStringLiteral("vieja"), QStringLiteral("texto"),
                                QStringLiteral("a"),     QStringLiteral("b"),
                                QStringLiteral("c"),     QStringLiteral("sobrante")};
    original.synthesis = QStringLiteral("antigua");

    const Reading done = finish(original);
    const QList<Position> places = positions(Spread::cross);
    QCOMPARE(done.interpretations.size(), 5);
    for (qsizetype i = 0; i < 5; ++i) {
        QCOMPARE(done.interpretations.at(i),
                 interpretation(original.cards.at(i), places.at(i), Topic::projects));
    }
    // Card 3 sits at the centre, the synthesis position, upright: its name is in the text.
    QVERIFY(done.interpretations.at(4).startsWith(QStringLiteral("Como síntesis, La Templanza")));
    QVERIFY(done.interpretations.at(0).endsWith(framing(Topic::projects)));
    QCOMPARE(done.synthesis, synthesis(original));

    Reading rest = done;
    rest.interpretations = original.interpretations;
    rest.synthesis = original.synthesis;
    QCOMPARE(rest, original);
}

void TestSynthesis::finishPairsUpToTheShorterList()
{
    const QList<Arcana> deck = EngineFixtures::distinctFamilies();
    const Reading fewer = finish(reading(Spread::celtic, {0, 1, 2}), deck);
    QCOMPARE(fewer.interpretations.size(), 3);
    // celtic: present, obstacle, past.
    QVERIFY(fewer.interpretations.at(1).startsWith(QStringLiteral("Como obstáculo, conviene "
                                                                  "revisar sombra 1.")));

    const Reading more = finish(reading(Spread::guidance, {0, 1, 2, 3, 4}), deck);
    QCOMPARE(more.interpretations.size(), 3);
    QVERIFY(more.interpretations.at(2).startsWith(QStringLiteral("Como orientación práctica: "
                                                                 "consejo 2")));

    Reading empty = reading(Spread::daily, {});
    empty.interpretations = {QStringLiteral("resto")};
    empty.synthesis = QStringLiteral("resto");
    const Reading cleared = finish(empty, deck);
    QCOMPARE(cleared.interpretations, QList<QString>());
    QCOMPARE(cleared.synthesis, QString());
}

QTEST_GUILESS_MAIN(TestSynthesis)
#include "tst_synthesis.moc"
