#pragma once

#include "model/arcana.h"

#include <QPixmap>
#include <QRectF>
#include <QSizeF>

class QPainter;

// Card geometry shared by every screen: cards are always 200 wide to 375 high.
namespace CardGeometry {
constexpr double aspect = 375.0 / 200.0; // height / width
inline double heightForWidth(double width)
{
    return width * aspect;
}
inline double widthForHeight(double height)
{
    return height / aspect;
}
// The largest card rectangle of the right proportion centred in `rect`.
QRectF fitted(const QRectF& rect);
} // namespace CardGeometry

// The face of a card: its picture scaled smoothly (or the back with the card's name when
// the picture is missing), turned half a turn when reversed, clipped to rounded corners.
namespace CardFace {
constexpr double cornerRadius = 6.0;

// Draws the face fitted into `rect` at the painter's device pixel ratio.
void paint(QPainter& painter, const QRectF& rect, const Arcana& card, bool reversed = false);
// A rendered face at `size` logical pixels for the given device pixel ratio. Faces are kept
// in QPixmapCache (keyed by picture, size, ratio and orientation), so repainting a card
// neither reads nor rescales its picture again.
QPixmap pixmap(const Arcana& card, bool reversed, const QSizeF& size, qreal devicePixelRatio);
} // namespace CardFace
