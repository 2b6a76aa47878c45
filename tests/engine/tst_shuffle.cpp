#include "engine/reading_engine.h"
#include "engine_fixtures.h"
#include "support/scripted_random_source.h"

#include <QTest>
#include <algorithm>
#include <limits>

using namespace ReadingEngine;

class TestShuffle : public QObject {
    Q_OBJECT

private slots:
    void shuffledDeckIsAPermutationOfTheCatalog();
    void shuffledDeckIsFisherYatesFromTheFront();
    void shuffledDeckOfTinyDecks();
    void everyCardReachesEveryPositionUniformly();
    void cutClampsAndRotates_data();
    void cutClampsAndRotates();
    void cutOfTinyDecks();
    void drawDealsTheTopCardsInOrder();
    void drawTakesOneBooleanPerCardOnlyWithReversals();
};

namespace {

QList<qint64> catalogIds()
{
    QList<qint64> ids;
    for (const Arcana& card : Catalog::cards())
        ids.append(card.id);
    return ids;
}

} // namespace

void TestShuffle::shuffledDeckIsAPermutationOfTheCatalog()
{
    SystemRandomSource rng;
    QList<qint64> expected = catalogIds();
    std::sort(expected.begin(), expected.end());
    QCOMPARE(expected.size(), 22);
    for (int round = 0; round < 50; ++round) {
        QList<qint64> deck = shuffledDeck(rng);
        std::sort(deck.begin(), deck.end());
        QCOMPARE(deck, expected);
    }
}

void TestShuffle::shuffledDeckIsFisherYatesFromTheFront()
{
    // Index i draws from [i, n): with the offset 0 every time the order stays as it was,
    // and exactly n - 1 values are taken, with bounds n, n - 1, ..., 2.
    const QList<qint64> ids = catalogIds();
    QList<quint64> keep;
    for (qsizetype i = 0; i + 1 < ids.size(); ++i)
        keep.append(ScriptedRandomSource::valueFor(0, quint64(ids.size() - i)));
    ScriptedRandomSource identity(keep);
    QCOMPARE(shuffledDeck(identity), ids);
    QCOMPARE(identity.taken(), 21);
    QCOMPARE(identity.overrun(), 0);

    // Offsets 1, 0, 0 on a four-card deck: swap the first two, keep the rest.
    const QList<Arcana> four = EngineFixtures::distinctFamilies(4);
    ScriptedRandomSource swapFront{ScriptedRandomSource::valueFor(1, 4),
                                   ScriptedRandomSource::valueFor(0, 3),
                                   ScriptedRandomSource::valueFor(0, 2)};
    QCOMPARE(shuffledDeck(swapFront, four), (QList<qint64>{1, 0, 2, 3}));
    // The last choice of each bound: 0<->3, then 1<->3, then 2<->3.
    ScriptedRandomSource lastEach{ScriptedRandomSource::valueFor(3, 4),
                                  ScriptedRandomSource::valueFor(2, 3),
                                  ScriptedRandomSource::valueFor(1, 2)};
    QCOMPARE(shuffledDeck(lastEach, four), (QList<qint64>{3, 0, 1, 2}));

    // A full reversal of the real deck, scripted choice by choice.
    QList<qint64> reversed = ids;
    std::reverse(reversed.begin(), reversed.end());
    ScriptedRandomSource reverse(ScriptedRandomSource::scriptForShuffle(ids, reversed));
    QCOMPARE(shuffledDeck(reverse), reversed);
    QCOMPARE(reverse.overrun(), 0);
}

void TestShuffle::shuffledDeckOfTinyDecks()
{
    ScriptedRandomSource rng;
    QCOMPARE(shuffledDeck(rng, {}), QList<qint64>());
    QCOMPARE(shuffledDeck(rng, {EngineFixtures::card(7)}), QList<qint64>{7});
    QCOMPARE(rng.taken(), 0);
}

void TestShuffle::everyCardReachesEveryPositionUniformly()
{
    SystemRandomSource rng;
    const QList<qint64> ids = catalogIds();
    const qsizetype n = ids.size();
    constexpr int shuffles = 22000;
    QList<QList<int>> counts(n, QList<int>(n, 0)); // counts[position][card]
    for (int round = 0; round < shuffles; ++round) {
        const QList<qint64> deck = shuffledDeck(rng);
        for (qsizetype position = 0; position < n; ++position)
            ++counts[position][deck.at(position)];
    }
    // Expected 1000 per cell, standard deviation about 31. The statistic over the 22 x 22
    // table has about 441 degrees of freedom (standard deviation about 30): 750 is more than
    // ten deviations out, while a shuffle that never leaves a card in place, or that draws
    // j from the whole deck, lands far beyond it.
    const double expected = double(shuffles) / double(n);
    double chiSquare = 0;
    for (qsizetype position = 0; position < n; ++position) {
        for (qsizetype card = 0; card < n; ++card) {
            const int count = counts[position][card];
            QVERIFY2(count > expected * 0.75 && count < expected * 1.25,
                     qPrintable(QStringLiteral("card %1 at position %2: %3 times")
                                    .arg(card)
                                    .arg(position)
                                    .arg(count)));
            chiSquare += (count - expected) * (count - expected) / expected;
        }
    }
    QVERIFY2(chiSquare < 750, qPrintable(QString::number(chiSquare)));
}

void TestShuffle::cutClampsAndRotates_data()
{
    QTest::addColumn<qint64>("point");
    QTest::addColumn<QList<qint64>>("expected");
    const QList<qint64> fromOne{9, 2, 14, 5};
    const QList<qint64> fromLast{14, 5, 9, 2};
    QTest::newRow("1") << qint64(1) << fromOne;
    QTest::newRow("0 acts as 1") << qint64(0) << fromOne;
    QTest::newRow("-3 acts as 1") << qint64(-3) << fromOne;
    QTest::newRow("lowest qint64") << std::numeric_limits<qint64>::min() << fromOne;
    QTest::newRow("2") << qint64(2) << QList<qint64>{2, 14, 5, 9};
    QTest::newRow("count - 1") << qint64(3) << fromLast;
    QTest::newRow("count") << qint64(4) << fromLast;
    QTest::newRow("100") << qint64(100) << fromLast;
    QTest::newRow("highest qint64") << std::numeric_limits<qint64>::max() << fromLast;
}

void TestShuffle::cutClampsAndRotates()
{
    QFETCH(qint64, point);
    QFETCH(QList<qint64>, expected);
    const QList<qint64> deck{5, 9, 2, 14};
    QCOMPARE(cut(deck, point), expected);
    QCOMPARE(deck, (QList<qint64>{5, 9, 2, 14})); // the argument is left alone
}

void TestShuffle::cutOfTinyDecks()
{
    for (qint64 point : {qint64(-1), qint64(0), qint64(1), qint64(2)}) {
        QCOMPARE(cut({}, point), QList<qint64>());
        QCOMPARE(cut({8}, point), QList<qint64>{8});
        // Two cards: every point swaps them, since a cut never keeps the order.
        QCOMPARE(cut({8, 3}, point), (QList<qint64>{3, 8}));
    }
}

void TestShuffle::drawDealsTheTopCardsInOrder()
{
    ScriptedRandomSource rng;
    const QList<qint64> deck{4, 19, 0, 7, 12, 21, 3, 8, 15, 11, 2, 6};
    const QList<DrawnCard> daily = draw(deck, Spread::daily, false, rng);
    QCOMPARE(daily, (QList<DrawnCard>{DrawnCard{4, false}}));

    for (Spread spread : allSpreads()) {
        const QList<DrawnCard> cards = draw(deck, spread, false, rng);
        QCOMPARE(cards.size(), positions(spread).size());
        for (qsizetype i = 0; i < cards.size(); ++i)
            QCOMPARE(cards.at(i), (DrawnCard{deck.at(i), false}));
    }
    // A deck shorter than the spread gives what it has, with no filler.
    QCOMPARE(draw({5, 6, 7}, Spread::celtic, false, rng),
             (QList<DrawnCard>{{5, false}, {6, false}, {7, false}}));
    QCOMPARE(draw({}, Spread::timeline, true, rng), QList<DrawnCard>());
    QCOMPARE(rng.taken(), 0);
}

void TestShuffle::drawTakesOneBooleanPerCardOnlyWithReversals()
{
    const QList<qint64> deck{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
    ScriptedRandomSource untouched{ScriptedRandomSource::valueFor(true)};
    const QList<DrawnCard> upright = draw(deck, Spread::celtic, false, untouched);
    QCOMPARE(untouched.taken(), 0);
    QVERIFY(std::none_of(upright.begin(), upright.end(),
                         [](const DrawnCard& card) { return card.reversed; }));

    // With reversals: one value per dealt card, read in card order.
    const QList<bool> flips{true, false, false, true, true, false, true, false, false, true};
    QList<quint64> script;
    for (bool flip : flips)
        script.append(ScriptedRandomSource::valueFor(flip));
    script.append(ScriptedRandomSource::valueFor(true)); // must stay untaken
    ScriptedRandomSource rng(script);
    const QList<DrawnCard> cards = draw(deck, Spread::celtic, true, rng);
    QCOMPARE(rng.taken(), 10);
    QCOMPARE(cards.size(), 10);
    for (qsizetype i = 0; i < cards.size(); ++i)
        QCOMPARE(cards.at(i), (DrawnCard{deck.at(i), flips.at(i)}));

    ScriptedRandomSource two{ScriptedRandomSource::valueFor(false),
                             ScriptedRandomSource::valueFor(true)};
    QCOMPARE(draw({1, 2}, Spread::timeline, true, two), (QList<DrawnCard>{{1, false}, {2, true}}));
    QCOMPARE(two.taken(), 2);
}

QTEST_GUILESS_MAIN(TestShuffle)
#include "tst_shuffle.moc"
