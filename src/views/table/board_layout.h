#pragma once

#include "model/spread.h"

#include <QPointF>
#include <QSizeF>

// Where the cards and captions of a spread lie on a board of a given size.
namespace BoardLayout {

// The card width for a spread on a board of `size` (cards keep their 200:375 proportion).
double cardWidth(Spread spread, const QSizeF& size);

// The card laid across the first one in the Celtic cross.
bool isCrossing(Spread spread, int index);
// Captions beside the card: the cross from the third card, the Celtic cross from the seventh.
bool hasSideCaption(Spread spread, int index);
// Captions beside a card stand on its left in the Celtic cross and on its right otherwise.
bool captionOnLeft(Spread spread);

// The centre of a position's card on the board.
QPointF cardCenter(const Position& position, const QSizeF& size);
// The caption box: beside a card it is min(100, max(52, 0.3·w − card − 18)) by 60, below a
// card max(card + 36, 100) by 40.
QSizeF captionSize(Spread spread, int index, double boardWidth, double cardWidth);
QPointF captionCenter(Spread spread, int index, const QPointF& cardCenter, double boardWidth,
                      double cardWidth);

} // namespace BoardLayout
