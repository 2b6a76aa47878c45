#include "views/table/board_layout.h"

#include "views/cards/card_geometry.h"

#include <algorithm>

namespace BoardLayout {

double cardWidth(Spread spread, const QSizeF& size)
{
    const double w = size.width();
    const double h = size.height();
    switch (spread) {
    case Spread::cross:
        return std::min(
            {std::max(32.0, w * 0.3 - 76.0), (h * 0.3 - 22.0) / CardGeometry::aspect, 112.0});
    case Spread::celtic:
        return std::min({w / 6.3, (h * 0.32 - 64.0) / CardGeometry::aspect, 88.0});
    case Spread::daily:
    case Spread::timeline:
    case Spread::guidance:
        break;
    }
    return std::min({w / 4.1, (h - 130.0) / CardGeometry::aspect, 154.0});
}

bool isCrossing(Spread spread, int index)
{
    return spread == Spread::celtic && index == 1;
}

bool hasSideCaption(Spread spread, int index)
{
    return (spread == Spread::cross && index >= 2) || (spread == Spread::celtic && index >= 6);
}

bool captionOnLeft(Spread spread)
{
    return spread == Spread::celtic;
}

QPointF cardCenter(const Position& position, const QSizeF& size)
{
    return {position.x * size.width(), position.y * size.height()};
}

QSizeF captionSize(Spread spread, int index, double boardWidth, double cardWidth)
{
    if (hasSideCaption(spread, index))
        return {std::min(100.0, std::max(52.0, boardWidth * 0.3 - cardWidth - 18.0)), 60.0};
    return {std::max(cardWidth + 36.0, 100.0), 40.0};
}

QPointF captionCenter(Spread spread, int index, const QPointF& cardCenter, double boardWidth,
                      double cardWidth)
{
    if (hasSideCaption(spread, index)) {
        const double captionWidth = captionSize(spread, index, boardWidth, cardWidth).width();
        const double shift = cardWidth / 2.0 + 8.0 + captionWidth / 2.0;
        return cardCenter + QPointF(captionOnLeft(spread) ? -shift : shift, 0.0);
    }
    return cardCenter + QPointF(0.0, CardGeometry::heightForWidth(cardWidth) / 2.0 + 27.0);
}

} // namespace BoardLayout
