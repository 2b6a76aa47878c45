#pragma once

#include <QPixmap>
#include <QRectF>

class QPainter;

// The back of a card, kept at the 200 × 375 proportion and centred in the given rectangle.
namespace CardBack {
void paint(QPainter& painter, const QRectF& rect);
// The back rendered once at `size` logical pixels for the device pixel ratio and kept in
// QPixmapCache: a board of ten cards repaints its backs well inside one frame.
QPixmap pixmap(const QSizeF& size, qreal devicePixelRatio);
} // namespace CardBack
