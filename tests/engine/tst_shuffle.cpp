#include "engine/reading_engine.h"
#include "engine/system_random_source.h"
#include "model/catalog.h"
#include "support/scripted_random_source.h"

#include <QTest>
#include <algorithm>
#include <limits>

using namespace ReadingEngine;

namespace {

const QList<qint64> ids{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                        11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};

} // namespace

class TestShuffle : public QObject {
    Q_OBJECT

private slots:
    // A bound that does not divide 2^64 makes a few values favour some results; exactly
    // those are thrown away, and nothing is taken when there is no choice.
    void boundedIsUnbiased()
    {
        ScriptedRandomSource three{0, 1ULL << 63}; // 2^64 = 3q + 1: only 0 goes
        QCOMPARE(three.bounded(3), 1u);
        QCOMPARE(three.taken(), 2);
        ScriptedRandomSource six{0, 0, ScriptedRandomSource::valueFor(5, 6)}; // 2^64 mod 6 = 4
        QCOMPARE(six.bounded(6), 5u);
        QCOMPARE(six.taken(), 3);
        ScriptedRandomSource eight{0, std::numeric_limits<quint64>::max()}; // a power of two
        QCOMPARE(eight.bounded(8), 0u);
        QCOMPARE(eight.bounded(8), 7u);
        QCOMPARE(eight.bounded(1), 0u);
        QCOMPARE(eight.bounded(0), 0u);
        QCOMPARE(eight.taken(), 2);
    }

    void shuffledDeckIsFisherYatesFromTheFront()
    {
        // Index i draws from [i, n): offsets of 0 keep the order, taking n - 1 values.
        QList<quint64> keep;
        for (qsizetype i = 0; i + 1 < ids.size(); ++i)
            keep.append(ScriptedRandomSource::valueFor(0, quint64(ids.size() - i)));
        ScriptedRandomSource identity(keep);
        QCOMPARE(shuffledDeck(identity), ids);
        QCOMPARE(identity.taken(), 21);
        // The last choice of each bound on four cards: 0<->3, then 1<->3, then 2<->3.
        ScriptedRandomSource lastEach{ScriptedRandomSource::valueFor(3, 4),
                                      ScriptedRandomSource::valueFor(2, 3),
                                      ScriptedRandomSource::valueFor(1, 2)};
        QCOMPARE(shuffledDeck(lastEach, Catalog::cards().first(4)), (QList<qint64>{3, 0, 1, 2}));
        QCOMPARE(lastEach.taken(), 3);
        // The system source gives a permutation of the deck.
        SystemRandomSource system;
        QList<qint64> shuffled = shuffledDeck(system);
        std::sort(shuffled.begin(), shuffled.end());
        QCOMPARE(shuffled, ids);
    }

    // From a fixed pseudo-random sequence, so the counts are the same on every run.
    void everyCardReachesEveryPositionUniformly()
    {
        ScriptedRandomSource rng; // past its empty script it answers a seeded sequence
        const qsizetype n = ids.size();
        constexpr int shuffles = 22000;
        QList<QList<int>> counts(n, QList<int>(n, 0)); // counts[position][card]
        for (int round = 0; round < shuffles; ++round) {
            const QList<qint64> deck = shuffledDeck(rng);
            for (qsizetype position = 0; position < n; ++position)
                ++counts[position][deck.at(position)];
        }
        // 1000 expected per cell. Over the 22 x 22 table (about 441 degrees of freedom) a
        // uniform shuffle stays near 441; one that never leaves a card in place, or draws j
        // from the whole deck, goes far beyond 750.
        const double expected = double(shuffles) / double(n);
        double chiSquare = 0;
        for (const QList<int>& row : counts) {
            for (int count : row)
                chiSquare += (count - expected) * (count - expected) / expected;
        }
        QVERIFY2(chiSquare < 750, qPrintable(QString::number(chiSquare)));
    }

    void cutClampsAndRotates()
    {
        const QList<qint64> deck{5, 9, 2, 14};
        for (qint64 point : {std::numeric_limits<qint64>::min(), qint64(0), qint64(1)})
            QCOMPARE(cut(deck, point), (QList<qint64>{9, 2, 14, 5}));
        QCOMPARE(cut(deck, 2), (QList<qint64>{2, 14, 5, 9}));
        for (qint64 point : {qint64(3), qint64(4), std::numeric_limits<qint64>::max()})
            QCOMPARE(cut(deck, point), (QList<qint64>{14, 5, 9, 2}));
        for (qint64 point : {qint64(0), qint64(1), qint64(2)}) {
            QCOMPARE(cut({}, point), QList<qint64>());
            QCOMPARE(cut({8}, point), QList<qint64>{8});
            QCOMPARE(cut({8, 3}, point), (QList<qint64>{3, 8})); // a cut never keeps the order
        }
    }

    void drawDealsTheTopCardsInOrder()
    {
        const QList<qint64> deck{4, 19, 0, 7, 12, 21, 3, 8, 15, 11, 2, 6};
        // Without reversals nothing is taken; a deck shorter than the spread gives what it has.
        ScriptedRandomSource untouched;
        for (Spread spread : allSpreads())
            QCOMPARE(draw(deck, spread, false, untouched).size(), positions(spread).size());
        QCOMPARE(draw(deck, Spread::timeline, false, untouched),
                 (QList<DrawnCard>{{4, false}, {19, false}, {0, false}}));
        QCOMPARE(draw({5, 6}, Spread::celtic, false, untouched),
                 (QList<DrawnCard>{{5, false}, {6, false}}));
        QCOMPARE(untouched.taken(), 0);
        // With reversals: the top bit of one value per dealt card, in card order, and no more.
        ScriptedRandomSource rng{1ULL << 63, (1ULL << 63) - 1, ~0ULL, 1, 0, 0, 0, 0, 0, ~0ULL,
                                 ~0ULL};
        const QList<DrawnCard> cards = draw(deck, Spread::celtic, true, rng);
        QCOMPARE(rng.taken(), 10);
        QCOMPARE(cards.first(4), (QList<DrawnCard>{{4, true}, {19, false}, {0, true}, {7, false}}));
        QCOMPARE(cards.last(2), (QList<DrawnCard>{{15, false}, {11, true}}));
    }
};

QTEST_GUILESS_MAIN(TestShuffle)
#include "tst_shuffle.moc"
