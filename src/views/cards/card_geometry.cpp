#include "views/cards/card_geometry.h"

namespace CardGeometry {

QRectF fitted(const QRectF& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return {};
    QSizeF size(rect.width(), heightForWidth(rect.width()));
    if (size.height() > rect.height())
        size = QSizeF(widthForHeight(rect.height()), rect.height());
    return QRectF(rect.center().x() - size.width() / 2, rect.center().y() - size.height() / 2,
                  size.width(), size.height());
}

} // namespace CardGeometry
