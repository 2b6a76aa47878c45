#pragma once

#include <QRectF>

class QPainter;

// The back of a card, kept at the 200 × 375 proportion and centred in the given rectangle.
namespace CardBack {
void paint(QPainter& painter, const QRectF& rect);
}
