#pragma once

#include <QRectF>

class QPainter;

namespace RoundedCorners {

// Clears everything outside a rounded rectangle; the antialiased edge fades smoothly, which
// a clip path would not do.
void clearOutside(QPainter& painter, const QRectF& rect, qreal radius);

} // namespace RoundedCorners
