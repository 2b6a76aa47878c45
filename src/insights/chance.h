#pragma once

#include <QList>
#include <QtGlobal>
#include <vector>

// How much of a pattern chance alone would give.
//
// The rule that marks a card as "clearly above chance". Under a fair shuffle a reading of m
// cards, drawn without repetition from a deck of d, holds any given card with probability
// m/d, independently of the other readings. So the number X of readings of a span that hold
// a given card is a sum of binomials, one per reading size (the distribution is worked out
// exactly below). A card that appeared k times is marked when
//   - k is at least 3, so one or two coincidences in a short journal never count; and
//   - P(X >= k), the chance of seeing it that often or more by chance, is below 0.05/d.
// The division by d is Bonferroni's correction for looking at all d cards at once: in a
// journal drawn by a fair shuffle, the chance that any card at all gets marked stays below
// 5 %. Bonferroni needs no assumption about how the d counts depend on each other (they do:
// they add up to the cards drawn).
namespace Chance {

constexpr int minimumAppearances = 3;
constexpr double familyLevel = 0.05;

// The distribution of X above. readingsBySize[m] is the number of readings that hold m cards
// of the deck.
class Distribution {
public:
    Distribution(const QList<int>& readingsBySize, int deckSize);

    // P(X >= k).
    double upperTail(qint64 k) const;

private:
    // P(X >= offset + i) in m_tail[i], summed from the far end. Outside this window the
    // mass is below 1e-30.
    qint64 m_offset = 0;
    std::vector<double> m_tail;
};

// The rule above, for a card seen `appearances` times.
bool clearlyAboveChance(qint64 appearances, const Distribution& chance, int deckSize);

} // namespace Chance
