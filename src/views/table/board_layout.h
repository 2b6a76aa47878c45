#pragma once

#include "model/spread.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <functional>

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
// The widest a caption may be: beside a card min(100, max(52, 0.3·w − card − 18)), below a
// card max(card + 36, 100).
double captionWidth(Spread spread, int index, double boardWidth, double cardWidth);

// The caption boxes of a spread's cards, `cards` being where each card lies (the crossing
// card too): each as large as its text (`measure` gives the room the text of card `index`
// takes in a width), below its card and centred on it, or beside it and level with its
// middle, top or bottom; narrower, so that its text wraps, where the full width would touch
// a card, another caption or the edge of `board`. Captions below cards of one row reach at
// most half way to the next card. Empty for the crossing card and where not even a narrow
// box fits.
QList<QRectF> fitCaptions(Spread spread, const QList<QRectF>& cards, const QRectF& board,
                          double cardWidth,
                          const std::function<QSizeF(int index, double width)>& measure);

} // namespace BoardLayout
