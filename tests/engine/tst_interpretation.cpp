#include "engine/reading_engine.h"
#include "engine_fixtures.h"

#include <QTest>

using namespace ReadingEngine;

class TestInterpretation : public QObject {
    Q_OBJECT

private slots:
    void workedExamples();
    void roleParagraphs_data();
    void roleParagraphs();
    void paragraphCountsAndReversalNote();
    void onlyTheLastParagraphFollowsTheTopic();
    void titleAndMeaningNeverMatter();
    void emptyFieldsAndBlankParagraphs();
    void unknownCardGivesNoText();
};

namespace {

const QString reversalNote = QStringLiteral(
    "La inversión se lee como bloqueo, exceso o interiorización del símbolo; no como una "
    "sentencia negativa.");

Position at(Role role)
{
    return Position{QStringLiteral("Título"), QStringLiteral("Sentido"), role, 0.5, 0.5};
}

QStringList paragraphs(const QString& text)
{
    return text.split(QStringLiteral("\n\n"));
}

} // namespace

void TestInterpretation::workedExamples()
{
    // The real deck: El Sol upright in the present, then reversed as an obstacle.
    const Arcana& sun = EngineFixtures::real(19);
    QCOMPARE(interpretation({19, false}, at(Role::present), Topic::general),
             QStringLiteral("En esta posición, la carta pone el foco en ") + sun.light +
                 QStringLiteral(". Comprueba si reconoces ese tema en la situación que estás "
                                "viviendo.\n\n") +
                 sun.upright +
                 QStringLiteral("\n\nObserva cómo se expresa este símbolo en tu día a día."));
    QCOMPARE(interpretation({19, true}, at(Role::obstacle), Topic::relationships),
             QStringLiteral("Como obstáculo, conviene revisar ") + sun.shadow +
                 QStringLiteral(". La inversión refuerza la invitación a observar el bloqueo.") +
                 QStringLiteral("\n\n") + sun.reversed + QStringLiteral("\n\n") + reversalNote +
                 QStringLiteral("\n\nEn los vínculos, úsalo para explorar tu comunicación, tus "
                                "límites y tus propias decisiones; no revela lo que otra persona "
                                "piensa."));
    QCOMPARE(paragraphs(interpretation({19, true}, at(Role::synthesis), Topic::general)).first(),
             QStringLiteral("Como síntesis, El Sol reúne el tema de ") + sun.shadow +
                 QStringLiteral(". Lee las demás cartas a través de esta imagen sin borrar sus "
                                "diferencias."));
}

void TestInterpretation::roleParagraphs_data()
{
    QTest::addColumn<Role>("role");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("past upright")
        << Role::past << false
        << QStringLiteral("Como antecedente, observa dónde has vivido luz 5. Esa experiencia "
                          "puede seguir influyendo, pero no determina lo que hagas ahora.");
    QTest::newRow("past reversed")
        << Role::past << true
        << QStringLiteral("Como antecedente, observa dónde has vivido sombra 5. Esa experiencia "
                          "puede seguir influyendo, pero no determina lo que hagas ahora.");
    QTest::newRow("present upright")
        << Role::present << false
        << QStringLiteral("En esta posición, la carta pone el foco en luz 5. Comprueba si "
                          "reconoces ese tema en la situación que estás viviendo.");
    QTest::newRow("present reversed")
        << Role::present << true
        << QStringLiteral("En esta posición, la carta pone el foco en sombra 5. Comprueba si "
                          "reconoces ese tema en la situación que estás viviendo.");
    QTest::newRow("future upright")
        << Role::future << false
        << QStringLiteral("Como tendencia, plantea la posibilidad de luz 5. Es una hipótesis "
                          "simbólica para explorar: cambiar tus decisiones puede cambiar el "
                          "recorrido.");
    QTest::newRow("future reversed")
        << Role::future << true
        << QStringLiteral("Como tendencia, plantea la posibilidad de sombra 5. Es una hipótesis "
                          "simbólica para explorar: cambiar tus decisiones puede cambiar el "
                          "recorrido.");
    QTest::newRow("obstacle upright")
        << Role::obstacle << false
        << QStringLiteral("Como obstáculo, conviene revisar sombra 5. Incluso una cualidad útil "
                          "puede complicar la situación si se exagera o falta equilibrio.");
    QTest::newRow("obstacle reversed")
        << Role::obstacle << true
        << QStringLiteral("Como obstáculo, conviene revisar sombra 5. La inversión refuerza la "
                          "invitación a observar el bloqueo.");
    QTest::newRow("support upright")
        << Role::support << false
        << QStringLiteral("Como apoyo, señala el recurso de luz 5. Piensa en una manera concreta "
                          "de ponerlo a tu favor.");
    QTest::newRow("support reversed")
        << Role::support << true
        << QStringLiteral("Como apoyo, señala el recurso de luz 5. La inversión sugiere que ese "
                          "recurso necesita atención antes de estar disponible.");
    QTest::newRow("advice upright")
        << Role::advice << false << QStringLiteral("Como orientación práctica: consejo 5");
    QTest::newRow("advice reversed")
        << Role::advice << true
        << QStringLiteral("Como orientación práctica: consejo 5 Empieza con un gesto pequeño que "
                          "no repita el bloqueo descrito.");
    QTest::newRow("synthesis upright")
        << Role::synthesis << false
        << QStringLiteral("Como síntesis, Carta 5 reúne el tema de luz 5. Lee las demás cartas a "
                          "través de esta imagen sin borrar sus diferencias.");
    QTest::newRow("synthesis reversed")
        << Role::synthesis << true
        << QStringLiteral("Como síntesis, Carta 5 reúne el tema de sombra 5. Lee las demás "
                          "cartas a través de esta imagen sin borrar sus diferencias.");
}

void TestInterpretation::roleParagraphs()
{
    QFETCH(Role, role);
    QFETCH(bool, reversed);
    QFETCH(QString, expected);
    const QList<Arcana> deck = EngineFixtures::distinctFamilies(8);
    const QString text = interpretation({5, reversed}, at(role), Topic::personal, deck);
    const QStringList parts = paragraphs(text);
    QCOMPARE(parts.first(), expected);
    // The meaning follows the role paragraph; only the reversal picks which one.
    QCOMPARE(parts.at(1), reversed ? QStringLiteral("invertido 5") : QStringLiteral("derecho 5"));
    QCOMPARE(parts.last(), framing(Topic::personal));
}

void TestInterpretation::paragraphCountsAndReversalNote()
{
    for (Role role : allRoles()) {
        for (qint64 id = 0; id < 22; ++id) {
            const QStringList upright =
                paragraphs(interpretation({id, false}, at(role), Topic::general));
            QCOMPARE(upright.size(), 3);
            QVERIFY(!upright.contains(reversalNote));
            const QStringList reversed =
                paragraphs(interpretation({id, true}, at(role), Topic::general));
            QCOMPARE(reversed.size(), 4);
            QCOMPARE(reversed.at(2), reversalNote);
            QCOMPARE(reversed.at(1), EngineFixtures::real(id).reversed);
            QCOMPARE(upright.at(1), EngineFixtures::real(id).upright);
        }
    }
    // Upright advice ends with the card's own advice, nothing after it.
    const Arcana& moon = EngineFixtures::real(18);
    QVERIFY(paragraphs(interpretation({18, false}, at(Role::advice), Topic::general))
                .first()
                .endsWith(QStringLiteral(": ") + moon.advice));
}

void TestInterpretation::onlyTheLastParagraphFollowsTheTopic()
{
    for (Role role : allRoles()) {
        for (bool reversed : {false, true}) {
            const DrawnCard card{13, reversed};
            const QStringList base = paragraphs(interpretation(card, at(role), Topic::general));
            for (Topic topic : allTopics()) {
                QStringList other = paragraphs(interpretation(card, at(role), topic));
                QCOMPARE(other.takeLast(), framing(topic));
                QCOMPARE(other, base.first(base.size() - 1));
            }
        }
    }
}

void TestInterpretation::titleAndMeaningNeverMatter()
{
    for (Role role : allRoles()) {
        const QString base = interpretation({6, true}, at(role), Topic::projects);
        Position other = at(role);
        other.title = QStringLiteral("Otro título");
        other.meaning = QString();
        other.x = 0.1;
        other.y = 0.9;
        QCOMPARE(interpretation({6, true}, other, Topic::projects), base);
        // The role does matter: a different one changes the first paragraph.
        const Role different = role == Role::past ? Role::present : Role::past;
        QVERIFY(interpretation({6, true}, at(different), Topic::projects) != base);
    }
}

void TestInterpretation::emptyFieldsAndBlankParagraphs()
{
    QList<Arcana> deck = EngineFixtures::distinctFamilies(3);
    deck[1].upright.clear();
    deck[1].light.clear();
    deck[2].reversed = QStringLiteral("  ");

    // An empty meaning is dropped; an empty inserted field leaves the phrases around it.
    QCOMPARE(interpretation({1, false}, at(Role::present), Topic::general, deck),
             QStringLiteral("En esta posición, la carta pone el foco en . Comprueba si reconoces "
                            "ese tema en la situación que estás viviendo.\n\n") +
                 framing(Topic::general));
    // Upright reading of card 1 as advice: only role and framing remain.
    QCOMPARE(paragraphs(interpretation({1, false}, at(Role::advice), Topic::general, deck)).size(),
             2);
    // Reversed, card 1 still has its reversed text: four paragraphs.
    QCOMPARE(paragraphs(interpretation({1, true}, at(Role::advice), Topic::general, deck)).size(),
             4);
    // A meaning made of blanks is text, and stays.
    const QStringList blank =
        paragraphs(interpretation({2, true}, at(Role::future), Topic::general, deck));
    QCOMPARE(blank.size(), 4);
    QCOMPARE(blank.at(1), QStringLiteral("  "));

    // An empty advice on an upright card leaves the opening alone as the role paragraph.
    deck[0].advice.clear();
    QCOMPARE(paragraphs(interpretation({0, false}, at(Role::advice), Topic::general, deck)).first(),
             QStringLiteral("Como orientación práctica: "));
}

void TestInterpretation::unknownCardGivesNoText()
{
    const QList<Arcana> deck = EngineFixtures::distinctFamilies(3);
    for (Role role : allRoles()) {
        QCOMPARE(interpretation({3, false}, at(role), Topic::general, deck), QString());
        QCOMPARE(interpretation({-1, true}, at(role), Topic::general, deck), QString());
    }
    QCOMPARE(interpretation({0, false}, at(Role::past), Topic::general, {}), QString());
}

QTEST_GUILESS_MAIN(TestInterpretation)
#include "tst_interpretation.moc"
