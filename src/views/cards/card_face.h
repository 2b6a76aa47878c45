#pragma once

#include "model/arcana.h"
#include "views/cards/card_geometry.h"

#include <QPixmap>
#include <QRectF>
#include <QSizeF>

class QPainter;

// The face of a card: its picture scaled smoothly (or the back with the card's name when
// the picture is missing), turned half a turn when reversed, clipped to rounded corners.
namespace CardFace {
constexpr double cornerRadius = 6.0;

// Draws the face fitted into `rect` at the painter's device pixel ratio.
void paint(QPainter& painter, const QRectF& rect, const Arcana& card, bool reversed = false);
// A rendered face at `size` logical pixels for the given device pixel ratio. Faces are kept
// in QPixmapCache (keyed by picture, size, ratio and orientation), so repainting a card
// neither reads nor rescales its picture again.
QPixmap pixmap(const Arcana& card, bool reversed, const QSizeF& size, qreal devicePixelRatio);
} // namespace CardFace
