#include "insights/patterns.h"

#include "insights/chance.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// Deck positions by card identifier. The deck is numbered 0 to 21 in order, so the usual
// lookup is direct; any other deck goes through the table.
class DeckIndex {
public:
    explicit DeckIndex(const QList<Arcana>& deck) : m_deck(deck)
    {
        for (int i = 0; i < deck.size(); ++i)
            m_byId.insert(deck.at(i).id, i);
    }

    int find(qint64 id) const
    {
        if (id >= 0 && id < m_deck.size() && m_deck.at(id).id == id)
            return int(id);
        return m_byId.value(id, -1);
    }

private:
    const QList<Arcana>& m_deck;
    QHash<qint64, int> m_byId;
};

QDate bucketStart(QDate day, RhythmUnit unit)
{
    switch (unit) {
    case RhythmUnit::week:
        return day.addDays(1 - day.dayOfWeek());
    case RhythmUnit::month:
        return QDate(day.year(), day.month(), 1);
    case RhythmUnit::year:
        break;
    }
    return QDate(day.year(), 1, 1);
}

QDate nextBucket(QDate start, RhythmUnit unit)
{
    switch (unit) {
    case RhythmUnit::week:
        return start.addDays(7);
    case RhythmUnit::month:
        return start.addMonths(1);
    case RhythmUnit::year:
        break;
    }
    return start.addYears(1);
}

// Readings per calendar bucket. The bucket edges are turned into seconds once, so each
// reading costs a binary search and no calendar conversion.
void fillRhythm(Patterns& result, const std::vector<double>& dates, double earliest, double latest,
                double now, const QTimeZone& zone)
{
    const DateRange& range = result.range;
    const QDate first =
        LocalCalendar::date(std::isfinite(range.start) ? range.start : earliest, zone);
    // The chart ends today (or at a later reading), never in the empty rest of the year.
    QDate last = std::max(LocalCalendar::date(now, zone), LocalCalendar::date(latest, zone));
    if (std::isfinite(range.end))
        last = std::min(last, LocalCalendar::date(range.end, zone).addDays(-1));
    if (first > last)
        return;
    constexpr int longestYears = 100; // older readings stay out of the chart, not the counts
    if (first >= last.addMonths(-3).addDays(1))
        result.rhythmUnit = RhythmUnit::week;
    else if (first >= last.addYears(-10).addDays(1))
        result.rhythmUnit = RhythmUnit::month;
    else
        result.rhythmUnit = RhythmUnit::year;
    QDate start = bucketStart(first, result.rhythmUnit);
    if (result.rhythmUnit == RhythmUnit::year && start.year() < last.year() - longestYears + 1)
        start = QDate(last.year() - longestYears + 1, 1, 1);

    std::vector<double> edges;
    for (QDate day = start; day <= last; day = nextBucket(day, result.rhythmUnit)) {
        result.rhythm.append(RhythmBar{day, 0});
        edges.push_back(LocalCalendar::startOfDay(day, zone));
    }
    edges.push_back(
        LocalCalendar::startOfDay(nextBucket(result.rhythm.last().start, result.rhythmUnit), zone));
    for (const double date : dates) {
        const auto after = std::upper_bound(edges.begin(), edges.end(), date);
        if (after == edges.begin() || after == edges.end())
            continue;
        ++result.rhythm[after - edges.begin() - 1].readings;
    }
}

} // namespace

Patterns patterns(const QList<Reading>& history, const QList<Arcana>& deck, const DateRange& range,
                  double now, const QTimeZone& zone)
{
    Patterns result;
    result.range = range;
    result.topics = QList<int>(allTopics().size(), 0);
    result.spreads = QList<int>(allSpreads().size(), 0);

    const DeckIndex index(deck);
    const int deckSize = int(deck.size());
    const int roleCount = int(allRoles().size());
    std::vector<int> appearances(deckSize, 0);
    std::vector<int> reversed(deckSize, 0);
    std::vector<int> roles(std::size_t(deckSize) * std::size_t(roleCount), 0);
    // Positions are looked up once per spread, not once per reading.
    QList<QList<Position>> places;
    for (const Spread spread : allSpreads())
        places.append(positions(spread));

    QList<int> readingsBySize; // readings by the number of deck cards they hold
    std::vector<double> dates;
    double earliest = std::numeric_limits<double>::infinity();
    double latest = -earliest;
    for (const Reading& reading : history) {
        if (!range.contains(reading.date))
            continue;
        ++result.readings;
        dates.push_back(reading.date);
        earliest = std::min(earliest, reading.date);
        latest = std::max(latest, reading.date);
        if (reading.favorite)
            ++result.favorites;
        // Both lists follow the declaration order of their enumeration.
        ++result.topics[qsizetype(reading.topic)];
        const qsizetype spreadIndex = qsizetype(reading.spread);
        ++result.spreads[spreadIndex];
        const QList<Position>& spots = places.at(spreadIndex);
        int held = 0;
        for (qsizetype p = 0; p < reading.cards.size(); ++p) {
            const DrawnCard& card = reading.cards.at(p);
            const int c = index.find(card.arcanaID);
            if (c < 0)
                continue;
            ++held;
            ++appearances[c];
            if (card.reversed) {
                ++result.reversed;
                ++reversed[c];
            }
            if (p < spots.size())
                ++roles[std::size_t(c) * roleCount + std::size_t(spots.at(p).role)];
        }
        result.cards += held;
        if (readingsBySize.size() <= held)
            readingsBySize.resize(held + 1, 0);
        ++readingsBySize[held];
    }
    if (deckSize > 0)
        result.expected = double(result.cards) / double(deckSize);

    const Chance::Distribution chance(readingsBySize, deckSize);
    for (int c = 0; c < deckSize; ++c)
        result.ranking.append(
            CardCount{deck.at(c).id, appearances[c], reversed[c],
                      Chance::clearlyAboveChance(appearances[c], chance, deckSize)});
    std::stable_sort(result.ranking.begin(), result.ranking.end(),
                     [](const CardCount& a, const CardCount& b) {
                         if (a.appearances != b.appearances)
                             return a.appearances > b.appearances;
                         return a.arcanaID < b.arcanaID;
                     });

    for (int c = 0; c < deckSize; ++c)
        for (int r = 0; r < roleCount; ++r)
            if (const int times = roles[std::size_t(c) * roleCount + r]; times >= 2)
                result.repeats.append(RoleRepeat{deck.at(c).id, allRoles().at(r), times});
    std::stable_sort(result.repeats.begin(), result.repeats.end(),
                     [](const RoleRepeat& a, const RoleRepeat& b) {
                         if (a.times != b.times)
                             return a.times > b.times;
                         if (a.arcanaID != b.arcanaID)
                             return a.arcanaID < b.arcanaID;
                         return a.role < b.role;
                     });

    for (int c = 0; c < deckSize; ++c) {
        const QString& family = deck.at(c).family;
        auto share = std::find_if(result.families.begin(), result.families.end(),
                                  [&](const FamilyShare& f) { return f.family == family; });
        if (share == result.families.end()) {
            result.families.append(FamilyShare{family, 0, 0, 0, 0});
            share = result.families.end() - 1;
        }
        ++share->deckCards;
        share->drawn += appearances[c];
    }
    for (FamilyShare& share : result.families) {
        share.chance = double(share.deckCards) / double(deckSize);
        if (result.cards > 0)
            share.share = double(share.drawn) / double(result.cards);
    }

    if (result.readings > 0) {
        result.firstDate = earliest;
        result.lastDate = latest;
        fillRhythm(result, dates, earliest, latest, now, zone);
    }
    return result;
}

QList<TrailStop> trail(const QList<Reading>& history, const DateRange& range, qint64 arcanaID)
{
    QList<TrailStop> stops;
    for (int r = 0; r < history.size(); ++r) {
        const Reading& reading = history.at(r);
        if (!range.contains(reading.date))
            continue;
        for (int p = 0; p < reading.cards.size(); ++p) {
            if (reading.cards.at(p).arcanaID == arcanaID) {
                stops.append(TrailStop{r, p, reading.cards.at(p).reversed});
                break;
            }
        }
    }
    return stops;
}
