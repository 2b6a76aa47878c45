#pragma once

#include "insights/span.h"
#include "model/arcana.h"
#include "model/reading.h"
#include "model/spread.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTimeZone>

// One card of the deck and how often it came in a span.
struct CardCount {
    qint64 arcanaID = 0;
    int appearances = 0;
    int reversed = 0;         // of those appearances, how many came reversed
    bool aboveChance = false; // the rule of Chance::clearlyAboveChance

    bool operator==(const CardCount&) const = default;
};

// A card that came back in positions of the same role ("La Torre como obstáculo").
struct RoleRepeat {
    qint64 arcanaID = 0;
    Role role = Role::present;
    int times = 0;

    bool operator==(const RoleRepeat&) const = default;
};

// The drawn cards of one symbolic family next to what chance would give it.
struct FamilyShare {
    QString family;
    int deckCards = 0; // cards of the deck in the family
    int drawn = 0;     // drawn cards of the family in the span
    double share = 0;  // drawn / all drawn cards (0 when nothing was drawn)
    double chance = 0; // deckCards / size of the deck

    bool operator==(const FamilyShare&) const = default;
};

enum class RhythmUnit { week, month, year };

// Readings saved in one week (from Monday), month or year of the user's calendar.
struct RhythmBar {
    QDate start;
    int readings = 0;

    bool operator==(const RhythmBar&) const = default;
};

// What the saved readings of a span show, computed whole from the history.
struct Patterns {
    DateRange range;
    int readings = 0;
    int cards = 0; // drawn cards, all of them cards of the deck
    int reversed = 0;
    int favorites = 0;
    // The first and the last date among the readings counted (0 when there are none).
    double firstDate = 0;
    double lastDate = 0;
    // How many times a fair shuffle would show each card among `cards`.
    double expected = 0;
    // Every card of the deck, most frequent first; ties in the deck's numbering.
    QList<CardCount> ranking;
    // Only cards seen at least twice in one role; most frequent first, then by card and role.
    QList<RoleRepeat> repeats;
    // Families in the order they first appear in the deck.
    QList<FamilyShare> families;
    // Weeks for stretches up to three months, months up to ten years, years beyond. The bars
    // run from the start of the span (or the first reading, for "Todo") to today (or a later
    // reading), empty ones included.
    RhythmUnit rhythmUnit = RhythmUnit::week;
    QList<RhythmBar> rhythm;
    QList<int> topics;  // readings per topic, in the order of allTopics()
    QList<int> spreads; // readings per spread, in the order of allSpreads()

    bool operator==(const Patterns&) const = default;

    bool empty() const { return readings == 0; }
};

// The patterns of the readings of `history` whose date lies in `range`. `now` and `zone`
// place the calendar of the rhythm. Readings whose cards do not fill their spread, or name
// cards the deck does not have, are counted as far as they go.
Patterns patterns(const QList<Reading>& history, const QList<Arcana>& deck, const DateRange& range,
                  double now, const QTimeZone& zone);

// One reading of a card's trail: its index in the history and the card's place in it.
struct TrailStop {
    int reading = 0;
    int position = 0;
    bool reversed = false;

    bool operator==(const TrailStop&) const = default;
};

// The readings of `range` that hold the card, in history order.
QList<TrailStop> trail(const QList<Reading>& history, const DateRange& range, qint64 arcanaID);
