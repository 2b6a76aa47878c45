#pragma once

#include <QRectF>

// Card geometry shared by every screen: cards are always 200 wide to 375 high.
namespace CardGeometry {
constexpr double aspect = 375.0 / 200.0; // height / width
constexpr double heightForWidth(double width)
{
    return width * aspect;
}
constexpr double widthForHeight(double height)
{
    return height / aspect;
}
// The largest card rectangle of the right proportion centred in `rect`.
QRectF fitted(const QRectF& rect);
} // namespace CardGeometry
