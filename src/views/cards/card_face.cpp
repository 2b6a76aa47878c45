#include "views/cards/card_face.h"

#include "model/catalog.h"
#include "views/cards/card_back.h"
#include "views/kit/rounded_corners.h"
#include "views/kit/typography.h"

#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace {

// Upper bound for cached faces: a full Celtic cross and the guide's grid at ratio 2 fit.
constexpr int cacheLimitKb = 64 * 1024;

void paintMissingPicture(QPainter& painter, const QRectF& rect, const Arcana& card)
{
    CardBack::paint(painter, rect);
    // The name over the ornament, on a band of the back's own colour so it stays legible.
    const qreal pixel = std::clamp(std::round(rect.width() * 0.085), 8.0, 13.0);
    QFont font = Typography::system(static_cast<int>(pixel), QFont::DemiBold);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(font);
    QTextOption option(Qt::AlignCenter);
    option.setWrapMode(QTextOption::WordWrap);
    const QRectF textBox = rect.adjusted(rect.width() * 0.14, 0, -rect.width() * 0.14, 0);
    const QRectF needed = painter.boundingRect(textBox, card.name, option);
    const QRectF band(rect.left() + rect.width() * 0.1, rect.center().y() - needed.height() / 2 - 4,
                      rect.width() * 0.8, needed.height() + 8);
    QColor shade(20, 28, 42, 225);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawRoundedRect(band, 4, 4);
    painter.setPen(Qt::white);
    painter.drawText(textBox, card.name, option);
    painter.restore();
}

QString cacheKey(const std::optional<QString>& image, const Arcana& card, QSize device, qreal ratio,
                 bool reversed)
{
    const QString source = image ? *image : QStringLiteral("missing:") + card.name;
    return QStringLiteral("arcandel-face|%1|%2x%3|%4|%5")
        .arg(source)
        .arg(device.width())
        .arg(device.height())
        .arg(ratio)
        .arg(reversed ? 1 : 0);
}

} // namespace

namespace CardFace {

QPixmap pixmap(const Arcana& card, bool reversed, const QSizeF& size, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize device(qMax(1, qRound(size.width() * ratio)),
                       qMax(1, qRound(size.height() * ratio)));
    const std::optional<QString> image = Catalog::imageURL(card);
    const QString key = cacheKey(image, card, device, ratio, reversed);

    if (QPixmapCache::cacheLimit() < cacheLimitKb)
        QPixmapCache::setCacheLimit(cacheLimitKb);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;

    QImage picture;
    if (image) {
        QImageReader reader(*image);
        reader.setAutoTransform(true);
        picture = reader.read();
    }

    QPixmap result(device);
    result.setDevicePixelRatio(ratio);
    result.fill(Qt::transparent);
    const QRectF bounds(QPointF(0, 0), QSizeF(device) / ratio);
    {
        QPainter painter(&result);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        if (reversed) {
            // Half a turn about the centre: the picture upside down, not mirrored.
            painter.translate(bounds.center());
            painter.rotate(180);
            painter.translate(-bounds.center());
        }
        if (!picture.isNull()) {
            const QSize target = picture.size().scaled(device, Qt::KeepAspectRatio);
            const QImage scaled =
                picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const QSizeF logical = QSizeF(scaled.size()) / ratio;
            const QRectF place(bounds.center().x() - logical.width() / 2,
                               bounds.center().y() - logical.height() / 2, logical.width(),
                               logical.height());
            painter.drawImage(place, scaled);
        } else {
            paintMissingPicture(painter, bounds, card);
        }
    }
    // Round the corners.
    {
        QPainter painter(&result);
        painter.setRenderHint(QPainter::Antialiasing, true);
        RoundedCorners::clearOutside(painter, bounds, cornerRadius);
    }
    QPixmapCache::insert(key, result);
    return result;
}

void paint(QPainter& painter, const QRectF& rect, const Arcana& card, bool reversed)
{
    const QRectF place = CardGeometry::fitted(rect);
    if (place.isEmpty())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    // Account for a painter scale (zoomed previews) so the face is rendered at the size it
    // really covers on the device.
    const QTransform transform = painter.worldTransform();
    const qreal scale = std::sqrt(std::abs(transform.determinant()));
    const qreal effective = ratio * (scale > 0 ? scale : 1.0);
    const QPixmap face = pixmap(card, reversed, place.size(), effective);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawPixmap(place, face, QRectF(QPointF(0, 0), QSizeF(face.size())));
    painter.restore();
}

} // namespace CardFace
