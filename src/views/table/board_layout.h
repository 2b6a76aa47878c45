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

// Where a caption may go: beside its card (on the left or the right) or below it, at most
// `maxWidth` wide.
struct CaptionSpot {
    QRectF card;
    bool side = false;
    bool left = false;
    double maxWidth = 0.0;
};
// The caption's box: as large as its text (`measure` gives the room the text takes in a
// width), below its card and centred on it, or beside it and level with its middle, top or
// bottom; narrower, so that its text wraps, where the full width would touch something of
// `taken` or leave `board`. Empty when not even a narrow box fits.
QRectF fitCaption(const CaptionSpot& spot, const QList<QRectF>& taken, const QRectF& board,
                  const std::function<QSizeF(double width)>& measure);

} // namespace BoardLayout
