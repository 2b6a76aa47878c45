#include "insights/chance.h"
#include "insights/patterns.h"
#include "model/catalog.h"
#include "model/reference_date.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

double at(const QString& iso)
{
    return ReferenceDate::fromDateTime(QDateTime::fromString(iso, Qt::ISODate));
}

Reading reading(Spread spread, const QList<DrawnCard>& cards, double date = 0)
{
    Reading r;
    r.spread = spread;
    r.cards = cards;
    r.revealed = cards.size();
    r.date = date;
    return r;
}

// A reading of each spread drawn from a fair shuffle.
Reading fairReading(QRandomGenerator& random)
{
    const Spread spread = allSpreads().at(random.bounded(int(allSpreads().size())));
    QList<qint64> deck;
    for (qint64 id = 0; id < 22; ++id)
        deck.append(id);
    QList<DrawnCard> cards;
    for (qsizetype i = 0; i < positions(spread).size(); ++i)
        cards.append(DrawnCard{deck.takeAt(random.bounded(int(deck.size()))), false});
    return reading(spread, cards);
}

QList<qint64> marked(const Patterns& patterns)
{
    QList<qint64> ids;
    for (const CardCount& count : patterns.ranking)
        if (count.aboveChance)
            ids.append(count.arcanaID);
    return ids;
}

} // namespace

class TestPatterns : public QObject {
    Q_OBJECT

private slots:
    // Four readings around the edges of each span: a second before the start, the start
    // itself, a second before the end and the end. Only the middle two count.
    void spanEdges_data()
    {
        QTest::addColumn<Span>("span");
        QTest::addColumn<int>("offset"); // the user's time zone, seconds east of UTC
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("7 días") << Span::lastWeek << 7200 << "2024-03-14T10:00:00+02:00"
                                << "2024-03-08T00:00:00+02:00"
                                << "2024-03-15T00:00:00+02:00";
        QTest::newRow("30 días") << Span::lastMonth << 0 << "2024-03-14T23:59:59Z"
                                 << "2024-02-14T00:00:00Z"
                                 << "2024-03-15T00:00:00Z";
        QTest::newRow("3 meses a fin de mes") << Span::lastQuarter << 0 << "2024-05-31T12:00:00Z"
                                              << "2024-03-01T00:00:00Z"
                                              << "2024-06-01T00:00:00Z";
        // Already 2024 where the user lives, still 2023 in UTC; and the other way round.
        QTest::newRow("este año, al este") << Span::thisYear << 13 * 3600 << "2023-12-31T16:00:00Z"
                                           << "2024-01-01T00:00:00+13:00"
                                           << "2025-01-01T00:00:00+13:00";
        QTest::newRow("este año, al oeste") << Span::thisYear << -5 * 3600 << "2024-01-01T03:00:00Z"
                                            << "2023-01-01T00:00:00-05:00"
                                            << "2024-01-01T00:00:00-05:00";
    }
    void spanEdges()
    {
        QFETCH(Span, span);
        QFETCH(int, offset);
        QFETCH(QString, now);
        QFETCH(QString, start);
        QFETCH(QString, end);
        const QTimeZone zone(offset);
        const DateRange range = dateRange(span, at(now), zone);
        QCOMPARE(range, (DateRange{at(start), at(end)}));
        QList<Reading> history;
        for (const double date : {at(start) - 1, at(start), at(end) - 1, at(end)})
            history.append(reading(Spread::daily, {DrawnCard{7, false}}, date));
        const Patterns counted = patterns(history, Catalog::cards(), range, at(now), zone);
        QCOMPARE(counted.readings, 2);
        QCOMPARE(trail(history, range, 7), (QList<TrailStop>{{1, 0, false}, {2, 0, false}}));
        QCOMPARE(patterns(history, Catalog::cards(), DateRange{}, at(now), zone).readings, 4);
    }

    // A hand-built journal whose every number is known, including readings that an old or
    // edited file may hold: no cards, fewer cards than the spread, more, an unknown card.
    void countsOfAHandBuiltJournal()
    {
        QList<Reading> history{
            reading(Spread::daily, {{19, false}}),
            reading(Spread::guidance, {{16, false}, {5, true}, {19, false}}),
            reading(Spread::guidance, {{3, false}, {16, true}, {19, false}}),
            reading(Spread::cross, {{1, false}, {16, false}, {7, false}, {19, false}, {0, false}}),
            reading(Spread::celtic, {{16, false}, {5, false}}),
            reading(Spread::timeline, {}),
            reading(Spread::daily, {{9, false}, {99, false}, {12, false}}),
        };
        history[1].favorite = true;
        history[1].topic = Topic::projects;
        const Patterns p = patterns(history, Catalog::cards(), {}, 0, QTimeZone::utc());
        QCOMPARE(p.readings, 7);
        QCOMPARE(p.cards, 16);
        QCOMPARE(p.reversed, 2);
        QCOMPARE(p.favorites, 1);
        QCOMPARE(p.expected, 16.0 / 22.0);
        QCOMPARE(p.topics, (QList<int>{6, 0, 1, 0}));
        QCOMPARE(p.spreads, (QList<int>{2, 1, 2, 1, 1}));

        // 19 is seen first, yet ties go in Marseille order.
        QList<qint64> order;
        for (const CardCount& count : p.ranking)
            order.append(count.arcanaID);
        QCOMPARE(order, (QList<qint64>{16, 19, 5,  0,  1,  3,  7,  9,  12, 2,  4,
                                       6,  8,  10, 11, 13, 14, 15, 17, 18, 20, 21}));
        // Four of seven short readings is more than chance would give.
        QCOMPARE(p.ranking.at(0), (CardCount{16, 4, 1, true}));
        QCOMPARE(p.ranking.at(1), (CardCount{19, 4, 0, true}));
        QCOMPARE(p.ranking.at(2), (CardCount{5, 2, 1, false}));

        QCOMPARE(p.repeats, (QList<RoleRepeat>{{19, Role::advice, 3},
                                               {5, Role::obstacle, 2},
                                               {16, Role::present, 2},
                                               {16, Role::obstacle, 2}}));
        const FamilyShare renewal = p.families.at(5);
        QCOMPARE(renewal.family, QStringLiteral("renovación"));
        QCOMPARE(renewal.deckCards, 5);
        QCOMPARE(renewal.drawn, 4);
        QCOMPARE(renewal.share, 4.0 / 16.0);
        QCOMPARE(renewal.chance, 5.0 / 22.0);

        QCOMPARE(trail(history, {}, 16),
                 (QList<TrailStop>{{1, 0, false}, {2, 1, true}, {3, 1, false}, {4, 0, false}}));
        QVERIFY(trail(history, {}, 99).size() == 1);
    }

    void rhythm_data()
    {
        QTest::addColumn<Span>("span");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<RhythmUnit>("unit");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QList<int>>("bars");
        // Weeks begin on Monday: Sunday night and Monday morning fall in different bars.
        QTest::newRow("semanas") << Span::lastMonth << 0 << "2024-03-20T12:00:00Z"
                                 << QStringList{u"2024-02-20T00:00:00Z"_s,
                                                u"2024-03-10T23:59:59Z"_s,
                                                u"2024-03-11T00:00:00Z"_s,
                                                u"2024-03-20T08:00:00Z"_s}
                                 << RhythmUnit::week << QDate(2024, 2, 19)
                                 << QList<int>{1, 0, 1, 1, 1};
        // Sunday in UTC is already Monday for the user.
        QTest::newRow("semana local") << Span::lastWeek << 13 * 3600 << "2024-03-12T00:00:00Z"
                                      << QStringList{u"2024-03-10T12:00:00Z"_s} << RhythmUnit::week
                                      << QDate(2024, 3, 4) << QList<int>{0, 1};
        QTest::newRow("meses") << Span::all << 0 << "2024-03-20T12:00:00Z"
                               << QStringList{u"2024-03-20T08:00:00Z"_s, u"2023-11-15T08:00:00Z"_s}
                               << RhythmUnit::month << QDate(2023, 11, 1)
                               << QList<int>{1, 0, 0, 0, 1};
        QTest::newRow("años") << Span::all << 0 << "2024-03-20T12:00:00Z"
                              << QStringList{u"2024-01-02T08:00:00Z"_s, u"2013-06-01T08:00:00Z"_s}
                              << RhythmUnit::year << QDate(2013, 1, 1)
                              << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    }
    void rhythm()
    {
        QFETCH(Span, span);
        QFETCH(int, offset);
        QFETCH(QString, now);
        QFETCH(QStringList, dates);
        QFETCH(RhythmUnit, unit);
        QFETCH(QDate, first);
        QFETCH(QList<int>, bars);
        const QTimeZone zone(offset);
        QList<Reading> history;
        for (const QString& date : dates)
            history.append(reading(Spread::daily, {{0, false}}, at(date)));
        const Patterns p =
            patterns(history, Catalog::cards(), dateRange(span, at(now), zone), at(now), zone);
        QCOMPARE(p.rhythmUnit, unit);
        QCOMPARE(p.rhythm.value(0).start, first);
        QList<int> counts;
        for (const RhythmBar& bar : p.rhythm)
            counts.append(bar.readings);
        QCOMPARE(counts, bars);
    }

    void chanceRule()
    {
        // The distribution, on values worked out by hand: ten readings of 11 cards out of 22
        // are ten fair coins; a reading of one card and one of 21 hold a given card twice
        // with probability 1/22 · 21/22.
        QList<int> coins(12, 0);
        coins[11] = 10;
        const Chance::Distribution tenCoins(coins, 22);
        QCOMPARE(tenCoins.upperTail(8), 56.0 / 1024.0);
        QCOMPARE(tenCoins.upperTail(3), 968.0 / 1024.0);
        QCOMPARE(tenCoins.upperTail(11), 0.0);
        QList<int> mixed(22, 0);
        mixed[1] = mixed[21] = 1;
        const Chance::Distribution twoSizes(mixed, 22);
        QCOMPARE(twoSizes.upperTail(2), 21.0 / 484.0);
        QCOMPARE(twoSizes.upperTail(1), 1.0 - 21.0 / 484.0);
        // Among 100 one-card readings, 12 appearances pass the corrected level (0.05 / 22)
        // and 11 do not; two out of two would pass it, but two are never enough.
        const auto daily = [](int readings) {
            return Chance::Distribution(QList<int>{0, readings}, 22);
        };
        QVERIFY(qAbs(daily(100).upperTail(12) - 0.00197907086410613) < 1e-15);
        QVERIFY(Chance::clearlyAboveChance(12, daily(100), 22));
        QVERIFY(!Chance::clearlyAboveChance(11, daily(100), 22));
        QVERIFY(!Chance::clearlyAboveChance(2, daily(2), 22));
        QVERIFY(Chance::clearlyAboveChance(3, daily(3), 22));

        // Every card equally often: nothing stands out.
        QList<Reading> even;
        for (int round = 0; round < 6; ++round)
            for (qint64 id = 0; id < 22; ++id)
                even.append(reading(Spread::daily, {{id, false}}));
        QVERIFY(marked(patterns(even, Catalog::cards(), {}, 0, QTimeZone::utc())).isEmpty());
        // One card in half of the readings does.
        for (int i = 0; i < even.size(); i += 2)
            even[i].cards = {{13, false}};
        QCOMPARE(marked(patterns(even, Catalog::cards(), {}, 0, QTimeZone::utc())),
                 QList<qint64>{13});

        // Journals from a fair shuffle: a card is marked in well under 5 % of them.
        QRandomGenerator random(20240517);
        constexpr int journals = 400;
        int withAMark = 0;
        for (int j = 0; j < journals; ++j) {
            QList<Reading> history;
            for (int r = 0; r < 150; ++r)
                history.append(fairReading(random));
            if (!marked(patterns(history, Catalog::cards(), {}, 0, QTimeZone::utc())).isEmpty())
                ++withAMark;
        }
        QVERIFY2(withAMark <= journals / 20, qPrintable(QString::number(withAMark)));
    }
};

QTEST_GUILESS_MAIN(TestPatterns)
#include "tst_patterns.moc"
