#include "views/table/board_layout.h"

#include "views/cards/card_geometry.h"

#include <algorithm>
#include <cmath>

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

double captionWidth(Spread spread, int index, double boardWidth, double cardWidth)
{
    if (hasSideCaption(spread, index))
        return std::min(100.0, std::max(52.0, boardWidth * 0.3 - cardWidth - 18.0));
    return std::max(cardWidth + 36.0, 100.0);
}

namespace {

// Where a caption may go: beside its card (on the left or the right) or below it, at most
// `maxWidth` wide.
struct Spot {
    QRectF card;
    bool side = false;
    bool left = false;
    double maxWidth = 0.0;
};

QRectF fitCaption(const Spot& spot, const QList<QRectF>& taken, const QRectF& board,
                  const std::function<QSizeF(double width)>& measure)
{
    constexpr double clearance = 3.0;
    constexpr double narrowest = 24.0;
    const auto clear = [&](const QRectF& box) {
        if (!board.adjusted(1, 1, -1, -1).contains(box)) // whole points once rounded
            return false;
        return std::none_of(taken.begin(), taken.end(), [&](const QRectF& other) {
            return box.intersects(other.adjusted(-clearance, -clearance, clearance, clearance));
        });
    };
    for (double limit = spot.maxWidth; limit >= narrowest; limit -= 2.0) {
        // Whole points, so that the box keeps all of its lines once placed on the pixel grid.
        const QSizeF measured = measure(limit);
        const QSizeF text(std::ceil(measured.width()), std::ceil(measured.height()));
        if (!spot.side) {
            const QRectF box(spot.card.center().x() - text.width() / 2.0, spot.card.bottom() + 7.0,
                             text.width(), text.height());
            if (clear(box))
                return box;
            continue;
        }
        const double x =
            spot.left ? spot.card.left() - 8.0 - text.width() : spot.card.right() + 8.0;
        for (const double y : {spot.card.center().y() - text.height() / 2.0, spot.card.top(),
                               spot.card.bottom() - text.height()}) {
            const QRectF box(x, y, text.width(), text.height());
            if (clear(box))
                return box;
        }
    }
    return {};
}

} // namespace

QList<QRectF> fitCaptions(Spread spread, const QList<QRectF>& cards, const QRectF& board,
                          double cardWidth,
                          const std::function<QSizeF(int index, double width)>& measure)
{
    QList<Spot> spots;
    for (int i = 0; i < cards.size(); ++i)
        spots << Spot{cards[i], hasSideCaption(spread, i), captionOnLeft(spread),
                      captionWidth(spread, i, board.width(), cardWidth)};
    for (Spot& spot : spots) {
        for (const Spot& other : std::as_const(spots)) {
            const double apart = std::abs(other.card.center().x() - spot.card.center().x());
            if (!spot.side && !other.side && apart > 1.0 &&
                std::abs(other.card.bottom() - spot.card.bottom()) < 1.0)
                spot.maxWidth = std::min(spot.maxWidth, apart - 8.0);
        }
    }
    // No caption may touch a card, nor a caption placed before it.
    QList<QRectF> taken = cards;
    QList<QRectF> boxes;
    for (int i = 0; i < cards.size(); ++i) {
        const QRectF box = isCrossing(spread, i)
                               ? QRectF()
                               : fitCaption(spots[i], taken, board,
                                            [&](double width) { return measure(i, width); });
        boxes << box;
        if (!box.isEmpty())
            taken << box;
    }
    return boxes;
}

} // namespace BoardLayout
