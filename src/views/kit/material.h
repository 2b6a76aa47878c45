#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

// The "material" of panels: a translucent sheet a little lighter than the window, on light
// and dark palettes alike, with a hairline edge.
namespace Material {
QColor fill(const QPalette& palette);
QColor edge(const QPalette& palette);
} // namespace Material
