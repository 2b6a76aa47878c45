#include "engine/random_source.h"
#include "support/scripted_random_source.h"

#include <QTest>
#include <array>
#include <limits>

class TestRandomSource : public QObject {
    Q_OBJECT

private slots:
    void boundedMapsTheWholeRangeInOrder();
    void boundedRejectsTheBiasedValues();
    void boundedWithoutChoiceTakesNothing();
    void booleanTakesOneValueAndItsTopBit();
    void scriptedSourceCountsAndSurvivesOverrun();
    void systemSourceIsUniform();
};

void TestRandomSource::boundedMapsTheWholeRangeInOrder()
{
    constexpr quint64 max = std::numeric_limits<quint64>::max();
    for (quint64 bound : {2ULL, 3ULL, 7ULL, 21ULL, 22ULL, 1000ULL, 1ULL << 40}) {
        // The extremes of the 64-bit range reach the extremes of [0, bound).
        ScriptedRandomSource rng{max};
        QCOMPARE(rng.bounded(bound), bound - 1);
        QCOMPARE(rng.taken(), 1);
        // Each result owns one slice of the 64-bit range; its middle gives that result.
        for (quint64 result : {quint64(0), bound / 2, bound - 1}) {
            ScriptedRandomSource scripted{ScriptedRandomSource::valueFor(result, bound)};
            QCOMPARE(scripted.bounded(bound), result);
            QCOMPARE(scripted.taken(), 1);
        }
    }
    // Results grow with the value: a multiply-and-shift, not a modulo (which would wrap).
    ScriptedRandomSource rng{1ULL << 62, 1ULL << 63, 3ULL << 62};
    QCOMPARE(rng.bounded(4), 1u);
    QCOMPARE(rng.bounded(4), 2u);
    QCOMPARE(rng.bounded(4), 3u);
}

void TestRandomSource::boundedRejectsTheBiasedValues()
{
    // 2^64 = 3q + 1, so exactly one of the 2^64 values must be thrown away for bound 3 to be
    // unbiased: 0 is that value, and the next one decides.
    ScriptedRandomSource rng{0, 1ULL << 63};
    QCOMPARE(rng.bounded(3), 1u);
    QCOMPARE(rng.taken(), 2);

    // 2^64 mod 6 = 4: the four values with the smallest low halves are rejected, one after
    // another, and nothing else is.
    ScriptedRandomSource six{0, 0, ScriptedRandomSource::valueFor(5, 6)};
    QCOMPARE(six.bounded(6), 5u);
    QCOMPARE(six.taken(), 3);
    QCOMPARE(six.overrun(), 0);

    // For a power of two nothing is ever rejected, 0 included.
    ScriptedRandomSource eight{0};
    QCOMPARE(eight.bounded(8), 0u);
    QCOMPARE(eight.taken(), 1);
}

void TestRandomSource::boundedWithoutChoiceTakesNothing()
{
    ScriptedRandomSource rng{42};
    QCOMPARE(rng.bounded(1), 0u);
    QCOMPARE(rng.bounded(0), 0u);
    QCOMPARE(rng.taken(), 0);
}

void TestRandomSource::booleanTakesOneValueAndItsTopBit()
{
    ScriptedRandomSource rng{0,
                             1ULL << 63,
                             (1ULL << 63) - 1,
                             std::numeric_limits<quint64>::max(),
                             ScriptedRandomSource::valueFor(true),
                             ScriptedRandomSource::valueFor(false)};
    QCOMPARE(rng.boolean(), false);
    QCOMPARE(rng.boolean(), true);
    QCOMPARE(rng.boolean(), false);
    QCOMPARE(rng.boolean(), true);
    QCOMPARE(rng.boolean(), true);
    QCOMPARE(rng.boolean(), false);
    QCOMPARE(rng.taken(), 6);
    QCOMPARE(rng.remaining(), 0);
}

void TestRandomSource::scriptedSourceCountsAndSurvivesOverrun()
{
    ScriptedRandomSource rng{7, 8};
    QCOMPARE(rng.next(), 7u);
    QCOMPARE(rng.remaining(), 1);
    QCOMPARE(rng.next(), 8u);
    QCOMPARE(rng.overrun(), 0);
    // Past the script: bounded() must still terminate, and the overrun is visible.
    for (int i = 0; i < 100; ++i)
        QVERIFY(rng.bounded(3) < 3);
    QVERIFY(rng.overrun() >= 100);
    QCOMPARE(rng.taken(), 2 + rng.overrun());
}

void TestRandomSource::systemSourceIsUniform()
{
    SystemRandomSource rng;
    constexpr int draws = 60000;

    std::array<int, 6> faces{};
    for (int i = 0; i < draws; ++i) {
        const quint64 value = rng.bounded(6);
        QVERIFY(value < 6);
        ++faces[value];
    }
    // Chi-square with 5 degrees of freedom; 40 lies far beyond any plausible fluctuation
    // (p < 1e-6) yet a die missing a face or favouring one by 5 % goes well past it.
    const double expected = draws / 6.0;
    double chiSquare = 0;
    for (int count : faces)
        chiSquare += (count - expected) * (count - expected) / expected;
    QVERIFY2(chiSquare < 40, qPrintable(QString::number(chiSquare)));

    int heads = 0;
    for (int i = 0; i < draws; ++i)
        heads += rng.boolean() ? 1 : 0;
    // Six standard deviations around one half.
    QVERIFY2(qAbs(heads - draws / 2) < 6 * 123, qPrintable(QString::number(heads)));
}

QTEST_GUILESS_MAIN(TestRandomSource)
#include "tst_random_source.moc"
