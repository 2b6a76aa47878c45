#pragma once

#include <QColor>
#include <QPalette>

class QPainter;
class QRectF;

// The "material" of panels: a translucent sheet a little lighter than the window, on light
// and dark palettes alike, with a hairline edge.
namespace Material {
QColor fill(const QPalette& palette);
QColor edge(const QPalette& palette);
// Draws `rect` as a rounded panel of the material, its hairline edge inside the rectangle.
// Leaves the painter's pen and brush set to the panel's.
void drawPanel(QPainter& painter, const QRectF& rect, qreal radius, const QPalette& palette);
} // namespace Material
