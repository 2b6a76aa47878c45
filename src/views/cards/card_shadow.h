#pragma once

#include <QColor>
#include <QPixmap>
#include <QPointF>
#include <QRectF>

class QPainter;

// The soft shadow under a card: a rounded rectangle blurred with a Gaussian whose standard
// deviation is half the blur radius. Each shape is blurred once per size, corner, blur,
// colour and device pixel ratio and kept in QPixmapCache, so boards, thumbnails and the guide
// repaint their shadows without blurring again.
namespace CardShadow {

// How far the blurred shadow reaches beyond the card on every side.
qreal margin(qreal blurRadius);

// The blurred shape of a card of `size`, larger than the card by margin(blurRadius) on every
// side, in `color` (its alpha included).
QPixmap pixmap(const QSizeF& size, qreal cornerRadius, qreal blurRadius, const QColor& color,
               qreal devicePixelRatio);

// Draws the shadow under `card`, moved by `offset` and turned `degrees` about its centre.
void paint(QPainter& painter, const QRectF& card, qreal cornerRadius, qreal blurRadius,
           const QColor& color, const QPointF& offset = {}, qreal degrees = 0.0);

} // namespace CardShadow
