#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>

class QPainter;

// A soft shadow under a card: a rounded rectangle blurred like a Gaussian of standard
// deviation radius / 2, drawn under the card (optionally turned about its centre). The
// blurred shape is cached per size, radius, colour and device pixel ratio.
namespace CardShadow {

void paint(QPainter& painter, const QRectF& card, qreal cornerRadius, qreal blurRadius,
           const QColor& color, const QPointF& offset = {}, qreal degrees = 0.0);

// The blurred shape for a card of `size` at `devicePixelRatio`, with its margin on every
// side (exposed for tests).
QImage image(const QSizeF& size, qreal cornerRadius, qreal blurRadius, const QColor& color,
             qreal devicePixelRatio, qreal* margin = nullptr);

} // namespace CardShadow
