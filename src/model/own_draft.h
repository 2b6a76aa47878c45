#pragma once

#include "model/drawn_card.h"
#include "model/spread.h"

#include <QList>
#include <optional>

// The cards of a reading laid out by hand with the user's own deck, position by position,
// before they become a reading: each position of the spread is empty or holds one card, and
// no card lies in two positions.
struct OwnDraft {
    Spread spread = Spread::timeline;
    QList<std::optional<DrawnCard>> places;

    bool operator==(const OwnDraft&) const = default;

    // An empty layout of `spread`.
    static OwnDraft empty(Spread spread);

    // Puts `card` at `position`, replacing what lay there. Refused (false) for a position
    // outside the spread, a card outside the deck, or a card that lies at another position.
    bool place(int position, DrawnCard card);
    // Empties `position`; false when it was already empty or is outside the spread.
    bool remove(int position);

    // The position where the card with `arcanaID` lies, if any.
    std::optional<int> positionOf(qint64 arcanaID) const;
    // The first empty position after `position`, going round to the start; none when full.
    std::optional<int> nextEmpty(int position) const;
    int placedCount() const;
    bool complete() const { return placedCount() == places.size(); }
    // The cards in position order; only meaningful when complete.
    QList<DrawnCard> cards() const;
};
