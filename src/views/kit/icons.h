#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

// Our own drawings for the symbol names used across the interface ("moon.stars", "clock",
// "trash", "star.fill", ...). Each is drawn with QPainter in the given colour at any size and
// device pixel ratio, so it stays sharp and legible on light and dark palettes.
namespace Icons {

// Icon in a fixed colour (a disabled icon is drawn fainter).
QIcon icon(const QString& symbol, const QColor& color);
// Icon in the application palette's text colour; selected items use the highlighted-text
// colour and disabled ones the disabled text colour.
QIcon icon(const QString& symbol);
// Draws the symbol centred in `rect` (kept square). `weight` scales the line width: 1 is
// regular, about 0.5 ultra-light, 1.4 semibold.
void paint(QPainter& painter, const QRectF& rect, const QString& symbol, const QColor& color,
           qreal weight = 1.0);
bool has(const QString& symbol);
// Every symbol name that has a drawing.
QStringList symbols();

} // namespace Icons
