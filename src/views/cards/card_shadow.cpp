#include "views/cards/card_shadow.h"

#include <QCache>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// Widths of three box blurs whose succession approximates a Gaussian of deviation `sigma`.
std::array<int, 3> boxWidths(qreal sigma)
{
    const qreal ideal = std::sqrt(12.0 * sigma * sigma / 3.0 + 1.0);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const qreal m = std::round((12.0 * sigma * sigma - 3.0 * lower * lower - 12.0 * lower - 9.0) /
                               (-4.0 * lower - 4.0));
    std::array<int, 3> widths{};
    for (int i = 0; i < 3; ++i)
        widths[size_t(i)] = std::max(1, i < m ? lower : upper);
    return widths;
}

// One pass of a running-sum box blur over rows (or columns) of an 8-bit alpha plane.
void boxPass(std::vector<uchar>& data, int width, int height, int radius, bool horizontal)
{
    if (radius <= 0)
        return;
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    std::vector<uchar> line(static_cast<size_t>(length));
    const int window = radius * 2 + 1;
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> uchar& {
            return horizontal ? data[size_t(l) * size_t(width) + size_t(i)]
                              : data[size_t(i) * size_t(width) + size_t(l)];
        };
        for (int i = 0; i < length; ++i)
            line[size_t(i)] = at(i);
        int sum = 0;
        // Outside the plane counts as transparent.
        for (int i = -radius; i <= radius; ++i)
            sum += (i >= 0 && i < length) ? line[size_t(i)] : 0;
        for (int i = 0; i < length; ++i) {
            at(i) = uchar((sum + window / 2) / window);
            const int out = i - radius;
            const int in = i + radius + 1;
            sum -= (out >= 0) ? line[size_t(out)] : 0;
            sum += (in < length) ? line[size_t(in)] : 0;
        }
    }
}

QString key(const QSizeF& size, qreal corner, qreal blur, const QColor& color, qreal ratio)
{
    return QStringLiteral("%1x%2|%3|%4|%5|%6")
        .arg(size.width())
        .arg(size.height())
        .arg(corner)
        .arg(blur)
        .arg(color.rgba(), 0, 16)
        .arg(ratio);
}

} // namespace

namespace CardShadow {

QImage image(const QSizeF& size, qreal cornerRadius, qreal blurRadius, const QColor& color,
             qreal devicePixelRatio, qreal* margin)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const qreal sigma = std::max<qreal>(blurRadius, 0.0) / 2.0;
    const qreal pad = std::ceil(sigma * 3.0) + 1.0;
    if (margin)
        *margin = pad;

    static QCache<QString, QImage> cache(16 * 1024 * 1024);
    const QString cacheKey = key(size, cornerRadius, blurRadius, color, ratio);
    if (const QImage* hit = cache.object(cacheKey))
        return *hit;

    const QSize device(int(std::ceil((size.width() + 2 * pad) * ratio)),
                       int(std::ceil((size.height() + 2 * pad) * ratio)));
    QImage alpha(device, QImage::Format_Alpha8);
    alpha.fill(0);
    {
        QPainter painter(&alpha);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(ratio, ratio);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRoundedRect(QRectF(QPointF(pad, pad), size), cornerRadius, cornerRadius);
    }
    if (sigma > 0) {
        std::vector<uchar> plane(size_t(device.width()) * size_t(device.height()));
        for (int y = 0; y < device.height(); ++y)
            std::copy_n(alpha.constScanLine(y), device.width(),
                        plane.begin() + qsizetype(y) * device.width());
        for (int width : boxWidths(sigma * ratio)) {
            const int radius = (width - 1) / 2;
            boxPass(plane, device.width(), device.height(), radius, true);
            boxPass(plane, device.width(), device.height(), radius, false);
        }
        for (int y = 0; y < device.height(); ++y)
            std::copy_n(plane.begin() + qsizetype(y) * device.width(), device.width(),
                        alpha.scanLine(y));
    }
    QImage result(device, QImage::Format_ARGB32_Premultiplied);
    result.fill(color);
    {
        QPainter painter(&result);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        painter.drawImage(0, 0, alpha);
    }
    result.setDevicePixelRatio(ratio);
    cache.insert(cacheKey, new QImage(result), int(result.sizeInBytes()));
    return result;
}

void paint(QPainter& painter, const QRectF& card, qreal cornerRadius, qreal blurRadius,
           const QColor& color, const QPointF& offset, qreal degrees)
{
    if (card.isEmpty() || color.alpha() == 0)
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    qreal margin = 0;
    const QImage shadow = image(card.size(), cornerRadius, blurRadius, color, ratio, &margin);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.translate(card.center() + offset);
    painter.rotate(degrees);
    // The shape sits `margin` in from the image's top-left corner.
    const QSizeF logical = QSizeF(shadow.size()) / ratio;
    painter.drawImage(
        QRectF(QPointF(-card.width() / 2 - margin, -card.height() / 2 - margin), logical), shadow);
    painter.restore();
}

} // namespace CardShadow
