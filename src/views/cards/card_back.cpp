#include "views/cards/card_back.h"

#include "views/cards/card_face.h"
#include "views/kit/icons.h"
#include "views/kit/table_palette.h"
#include "views/kit/typography.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <algorithm>
#include <cmath>

namespace {

QFont starFont()
{
    QFont font = Typography::system(19);
    // The four-pointed star is a dingbat; make sure a family that has it is tried.
    QStringList families = font.families();
    if (families.isEmpty())
        families.append(font.family());
    families.append(QStringLiteral("DejaVu Sans"));
    families.append(QStringLiteral("Noto Sans Symbols2"));
    font.setFamilies(families);
    return font;
}

} // namespace

namespace CardBack {

void paint(QPainter& painter, const QRectF& rect)
{
    const QRectF card = CardGeometry::fitted(rect);
    if (card.isEmpty())
        return;
    const QColor gold = TablePalette::gold();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    painter.setPen(Qt::NoPen);
    painter.setBrush(TablePalette::cardBack());
    painter.drawRoundedRect(card, 8, 8);

    painter.setBrush(Qt::NoBrush);
    const QRectF outer = card.adjusted(7, 7, -7, -7);
    if (!outer.isEmpty()) {
        painter.setPen(QPen(gold, 1.5));
        painter.drawRoundedRect(outer, 5, 5);
    }
    const QRectF inner = card.adjusted(12, 12, -12, -12);
    if (!inner.isEmpty()) {
        painter.setPen(QPen(Typography::withAlpha(gold, 0.45), 0.5));
        painter.drawRoundedRect(inner, 3, 3);
    }

    // The ornament: star, moon and stars, star, 9 points apart. On cards too small for it
    // (thumbnails) it shrinks to stay inside the inner frame.
    const QFont font = starFont();
    const QFontMetricsF metrics(font);
    const QString star = QStringLiteral("✦");
    const qreal starHeight = metrics.height();
    const qreal starWidth = metrics.horizontalAdvance(star);
    const qreal moonSide = 32.0;
    const qreal spacing = 9.0;
    const qreal columnHeight = starHeight * 2 + moonSide + spacing * 2;
    const qreal columnWidth = qMax(moonSide, starWidth);
    const QRectF room = inner.isEmpty() ? card : inner.adjusted(4, 4, -4, -4);
    const qreal scale = qMin(1.0, qMin(room.width() / columnWidth, room.height() / columnHeight));
    if (scale <= 0) {
        painter.restore();
        return;
    }

    painter.translate(card.center());
    painter.scale(scale, scale);
    painter.setFont(font);
    painter.setPen(gold);
    qreal y = -columnHeight / 2;
    const QRectF topStar(-columnWidth / 2, y, columnWidth, starHeight);
    painter.drawText(topStar, Qt::AlignCenter, star);
    y += starHeight + spacing;
    Icons::paint(painter, QRectF(-moonSide / 2, y, moonSide, moonSide),
                 QStringLiteral("moon.stars"), gold, 0.5);
    y += moonSide + spacing;
    painter.drawText(QRectF(-columnWidth / 2, y, columnWidth, starHeight), Qt::AlignCenter, star);
    painter.restore();
}

} // namespace CardBack

QPixmap CardBack::pixmap(const QSizeF& size, qreal devicePixelRatio)
{
    const QString key = QStringLiteral("arcandel-card-back-%1x%2@%3")
                            .arg(size.width(), 0, 'f', 2)
                            .arg(size.height(), 0, 'f', 2)
                            .arg(devicePixelRatio, 0, 'f', 2);
    QPixmap result;
    if (QPixmapCache::find(key, &result))
        return result;
    const QSize pixels(std::max(1, int(std::ceil(size.width() * devicePixelRatio))),
                       std::max(1, int(std::ceil(size.height() * devicePixelRatio))));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        paint(painter, QRectF(QPointF(0, 0), size));
    }
    result = QPixmap::fromImage(image);
    QPixmapCache::insert(key, result);
    return result;
}
