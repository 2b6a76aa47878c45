#pragma once

#include <QColor>
#include <QPixmap>
#include <QSizeF>

// Pixmaps the table screens draw many times per frame: the card back at a given size and
// the soft shadow of a rounded card. Rendering them once per size keeps painting a board of
// ten cards well inside one frame.
namespace TableCardCache {

// The card back rendered at `size` logical pixels for the device pixel ratio.
QPixmap back(const QSizeF& size, qreal devicePixelRatio);

// The blurred shadow of a rounded rectangle of `size`, in `color` (its alpha included).
// The pixmap is larger than the shape by shadowMargin(blurRadius) on every side.
QPixmap shadow(const QSizeF& size, qreal cornerRadius, qreal blurRadius, const QColor& color,
               qreal devicePixelRatio);
qreal shadowMargin(qreal blurRadius);

} // namespace TableCardCache
