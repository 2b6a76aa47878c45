#include "engine/reading_engine.h"
#include "engine_fixtures.h"

#include <QTest>

using namespace ReadingEngine;

class TestRelationship : public QObject {
    Q_OBJECT

private slots:
    void specialPairsInEitherOrder_data();
    void specialPairsInEitherOrder();
    void specialPairsComeBeforeFamiliesAndIgnoreRecordNames();
    void sameFamilyText();
    void familiesCompareExactlyUpToCanonicalEquivalence();
    void keywordsAreLowerCasedWithTheFullMapping();
    void generalText();
    void reversalSentenceIsAddedOnce();
    void unknownCardGivesNoText();
};

namespace {

const QString reversalSentence = QStringLiteral(
    " Hay una inversión en esta relación: revisa qué energía cuesta expresar o aparece en "
    "exceso antes de trasladar el conjunto a una acción.");

QString familyText(const QString& nameA, const QString& nameB, const QString& keywordsA,
                   const QString& keywordsB)
{
    return nameA + QStringLiteral(" y ") + nameB +
           QStringLiteral(" insisten en un mismo ámbito simbólico. El tema de ") + keywordsA +
           QStringLiteral(" dialoga con ") + keywordsB +
           QStringLiteral("; observa qué aspecto se repite y qué matiz añade cada posición.");
}

QString generalCase(const Arcana& a, const Arcana& b)
{
    return a.name + QStringLiteral(" propone ") + a.light + QStringLiteral(", mientras ") + b.name +
           QStringLiteral(" añade ") + b.light +
           QStringLiteral(". La relación invita a dar espacio a ambas necesidades en lugar de "
                          "resolver la consulta desde una sola imagen.");
}

} // namespace

void TestRelationship::specialPairsInEitherOrder_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1: 2 and 9")
        << qint64(2) << qint64(9)
        << QStringLiteral("La Papisa y El Ermitaño reúnen escucha y búsqueda interior. La pausa "
                          "puede ser fértil si acaba dando lugar a una pregunta o una acción; "
                          "observa si está madurando algo o si se prolonga el aislamiento.");
    QTest::newRow("2: 4 and 16")
        << qint64(4) << qint64(16)
        << QStringLiteral("El Emperador y La Torre confrontan estructura y apertura. Revisa qué "
                          "base todavía protege y qué parte del marco necesita reconstruirse.");
    QTest::newRow("3: 18 and 19")
        << qint64(18) << qint64(19)
        << QStringLiteral("La Luna y El Sol ponen en diálogo incertidumbre y claridad. Distingue "
                          "lo que sientes de lo que puedes comprobar antes de actuar.");
    QTest::newRow("4: 13 and 17")
        << qint64(13) << qint64(17)
        << QStringLiteral("El Arcano sin Nombre y La Estrella conectan un cierre con la "
                          "recuperación de confianza. Cuida la transición y deja espacio a algo "
                          "sencillo que pueda crecer.");
    QTest::newRow("5: 7 and 12")
        << qint64(7) << qint64(12)
        << QStringLiteral("El Carro y El Colgado contrastan avance y pausa. El reto consiste en "
                          "elegir cuándo moverte y cuándo cambiar de perspectiva.");
    QTest::newRow("6: 6 and 15")
        << qint64(6) << qint64(15)
        << QStringLiteral("Los Enamorados y El Diablo invitan a distinguir una elección libre de "
                          "un apego. Observa reciprocidad, límites y el margen real de decisión.");
    QTest::newRow("7: 11 and 14")
        << qint64(11) << qint64(14)
        << QStringLiteral("La Fuerza y La Templanza reúnen firmeza y regulación. Un límite "
                          "sostenido con calma puede resultar más útil que intensificar la "
                          "presión.");
    QTest::newRow("8: 0 and 21")
        << qint64(0) << qint64(21)
        << QStringLiteral("El Loco y El Mundo enlazan comienzo y cierre. Reconoce lo que ya has "
                          "completado y qué puedes llevar contigo a una nueva etapa.");
}

void TestRelationship::specialPairsInEitherOrder()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(QString, expected);
    QCOMPARE(relationship({a, false}, {b, false}), expected);
    QCOMPARE(relationship({b, false}, {a, false}), expected);
    QCOMPARE(relationship({b, true}, {a, false}), expected + reversalSentence);
}

void TestRelationship::specialPairsComeBeforeFamiliesAndIgnoreRecordNames()
{
    // In the real deck La Papisa and El Ermitaño share a family; the pair still wins.
    QCOMPARE(EngineFixtures::real(2).family, EngineFixtures::real(9).family);
    QVERIFY(relationship({9, false}, {2, false}).startsWith(QStringLiteral("La Papisa y El")));

    // A deck where every card shares one family and has other names: the pair text keeps
    // its own names, and only the listed pairs get one.
    const QList<Arcana> deck = EngineFixtures::deck(QStringList(22, QStringLiteral("mismo")));
    QCOMPARE(relationship({21, false}, {0, false}, deck),
             QStringLiteral("El Loco y El Mundo enlazan comienzo y cierre. Reconoce lo que ya "
                            "has completado y qué puedes llevar contigo a una nueva etapa."));
    // 11 with 11 is a one-card set, not pair 7; and 2 with 16 mixes two pairs.
    QCOMPARE(relationship({11, false}, {11, false}, deck),
             familyText(QStringLiteral("Carta 11"), QStringLiteral("Carta 11"),
                        QStringLiteral("clave 11"), QStringLiteral("clave 11")));
    QCOMPARE(relationship({2, false}, {16, false}, deck),
             familyText(QStringLiteral("Carta 2"), QStringLiteral("Carta 16"),
                        QStringLiteral("clave 2"), QStringLiteral("clave 16")));
}

void TestRelationship::sameFamilyText()
{
    // Real cards of one family outside the pairs: El Loco and El Mago.
    const Arcana& fool = EngineFixtures::real(0);
    const Arcana& magician = EngineFixtures::real(1);
    QCOMPARE(fool.family, magician.family);
    QCOMPARE(
        relationship({0, false}, {1, false}),
        familyText(fool.name, magician.name, fool.keywords.toLower(), magician.keywords.toLower()));
    // Swapping the arguments swaps names and keywords.
    QCOMPARE(
        relationship({1, false}, {0, false}),
        familyText(magician.name, fool.name, magician.keywords.toLower(), fool.keywords.toLower()));

    // Two empty families are one family.
    const QList<Arcana> deck = EngineFixtures::deck({QString(), QString(), QStringLiteral("x")});
    QCOMPARE(relationship({0, false}, {1, false}, deck),
             familyText(QStringLiteral("Carta 0"), QStringLiteral("Carta 1"),
                        QStringLiteral("clave 0"), QStringLiteral("clave 1")));
    QCOMPARE(relationship({0, false}, {2, false}, deck), generalCase(deck.at(0), deck.at(2)));
}

void TestRelationship::familiesCompareExactlyUpToCanonicalEquivalence()
{
    const QString composed = QStringLiteral("transformación");
    const QString decomposed = QStringLiteral("transformacio\u0301n");
    QVERIFY(composed != decomposed);
    const QList<Arcana> deck =
        EngineFixtures::deck({composed, decomposed, QStringLiteral("Transformación"),
                              QStringLiteral("transformación "), QStringLiteral("transformacion")});
    // Canonically equivalent spellings are one family.
    QCOMPARE(relationship({0, false}, {1, false}, deck),
             familyText(QStringLiteral("Carta 0"), QStringLiteral("Carta 1"),
                        QStringLiteral("clave 0"), QStringLiteral("clave 1")));
    // Case, a trailing blank and a missing accent each make another family.
    for (qint64 other : {2, 3, 4}) {
        QCOMPARE(relationship({0, false}, {other, false}, deck),
                 generalCase(deck.at(0), deck.at(other)));
    }
}

void TestRelationship::keywordsAreLowerCasedWithTheFullMapping()
{
    QList<Arcana> deck = EngineFixtures::deck({QStringLiteral("f"), QStringLiteral("f")});
    deck[0].name = QStringLiteral("ÉL ÁRBOL");
    deck[0].keywords = QStringLiteral("ÁRBOL, ÑANDÚ, Éxito, Ölüm, İz, ÇAĞ, ΟΔΟΣ ΣΑ, 12 €");
    deck[1].keywords = QStringLiteral("Río, ÜBERMUT, ÆØÅ, ǅ, ẞ");
    QCOMPARE(relationship({0, false}, {1, false}, deck),
             familyText(QStringLiteral("ÉL ÁRBOL"), QStringLiteral("Carta 1"),
                        QStringLiteral("árbol, ñandú, éxito, ölüm, i\u0307z, çağ, οδος σα, 12 €"),
                        QStringLiteral("río, übermut, æøå, ǆ, ß")));
}

void TestRelationship::generalText()
{
    // The worked example's second relationship: La Fuerza and La Emperatriz.
    const Arcana& strength = EngineFixtures::real(11);
    const Arcana& empress = EngineFixtures::real(3);
    QVERIFY(strength.family != empress.family);
    QCOMPARE(relationship({11, false}, {3, false}), generalCase(strength, empress));
    QCOMPARE(relationship({3, false}, {11, false}), generalCase(empress, strength));
    // The light is used even for reversed cards; only the closing sentence is added.
    QCOMPARE(relationship({11, true}, {3, true}),
             generalCase(strength, empress) + reversalSentence);
}

void TestRelationship::reversalSentenceIsAddedOnce()
{
    const QList<Arcana> deck = EngineFixtures::deck(
        {QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    const QList<std::pair<qint64, qint64>> pairs{{0, 1}, {2, 3}, {1, 2}};
    for (const auto& [a, b] : pairs) {
        const QString base = relationship({a, false}, {b, false}, deck);
        QVERIFY(!base.contains(QStringLiteral("Hay una inversión")));
        QCOMPARE(relationship({a, true}, {b, false}, deck), base + reversalSentence);
        QCOMPARE(relationship({a, false}, {b, true}, deck), base + reversalSentence);
        QCOMPARE(relationship({a, true}, {b, true}, deck), base + reversalSentence);
    }
    // Special pair of the real deck, both reversed.
    const QString moonSun = relationship({18, true}, {19, true});
    QCOMPARE(moonSun.count(QStringLiteral("Hay una inversión")), 1);
    QVERIFY(moonSun.endsWith(reversalSentence));
}

void TestRelationship::unknownCardGivesNoText()
{
    const QList<Arcana> deck = EngineFixtures::distinctFamilies(3);
    QCOMPARE(relationship({0, false}, {7, false}, deck), QString());
    QCOMPARE(relationship({7, true}, {0, false}, deck), QString());
    // Even a listed pair is not spoken of when the deck lacks one of its cards.
    QCOMPARE(relationship({2, false}, {9, false}, deck), QString());
    QCOMPARE(relationship({2, false}, {9, false}, {}), QString());
}

QTEST_GUILESS_MAIN(TestRelationship)
#include "tst_relationship.moc"
