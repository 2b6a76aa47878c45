#include "views/kit/rounded_corners.h"

#include <QPainter>
#include <QPainterPath>

namespace RoundedCorners {

void clearOutside(QPainter& painter, const QRectF& rect, qreal radius)
{
    QPainterPath outside;
    outside.setFillRule(Qt::OddEvenFill);
    outside.addRect(rect.adjusted(-1, -1, 1, 1));
    outside.addRoundedRect(rect, radius, radius);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillPath(outside, Qt::black);
    painter.restore();
}

} // namespace RoundedCorners
