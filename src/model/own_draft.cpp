#include "model/own_draft.h"

#include "model/catalog.h"

#include <algorithm>

OwnDraft OwnDraft::empty(Spread spread)
{
    OwnDraft draft;
    draft.spread = spread;
    draft.places.resize(positions(spread).size());
    return draft;
}

bool OwnDraft::place(int position, DrawnCard card)
{
    if (position < 0 || position >= places.size() || !Catalog::card(card.arcanaID))
        return false;
    const std::optional<int> elsewhere = positionOf(card.arcanaID);
    if (elsewhere && *elsewhere != position)
        return false;
    places[position] = card;
    return true;
}

bool OwnDraft::remove(int position)
{
    if (position < 0 || position >= places.size() || !places.at(position))
        return false;
    places[position].reset();
    return true;
}

std::optional<int> OwnDraft::positionOf(qint64 arcanaID) const
{
    for (qsizetype i = 0; i < places.size(); ++i) {
        if (places.at(i) && places.at(i)->arcanaID == arcanaID)
            return int(i);
    }
    return std::nullopt;
}

std::optional<int> OwnDraft::nextEmpty(int position) const
{
    const qsizetype count = places.size();
    for (qsizetype step = 1; step <= count; ++step) {
        const qsizetype i = ((position + step) % count + count) % count;
        if (!places.at(i))
            return int(i);
    }
    return std::nullopt;
}

int OwnDraft::placedCount() const
{
    return int(
        std::count_if(places.cbegin(), places.cend(),
                      [](const std::optional<DrawnCard>& card) { return card.has_value(); }));
}

QList<DrawnCard> OwnDraft::cards() const
{
    QList<DrawnCard> result;
    result.reserve(places.size());
    for (const std::optional<DrawnCard>& card : places) {
        if (card)
            result.append(*card);
    }
    return result;
}
