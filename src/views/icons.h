#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QPainter;
class QRectF;

// Our own drawings for the symbol names used across the interface ("moon.stars", "clock",
// "trash", "star.fill", ...). Each is drawn with QPainter in the given colour, so it stays
// legible on light and dark palettes.
namespace Icons {
QIcon icon(const QString& symbol, const QColor& color);
// Icon in the palette's text colour (follows the widget's palette when drawn).
QIcon icon(const QString& symbol);
void paint(QPainter& painter, const QRectF& rect, const QString& symbol, const QColor& color);
bool has(const QString& symbol);
} // namespace Icons
