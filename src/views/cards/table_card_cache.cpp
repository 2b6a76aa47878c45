#include "views/cards/table_card_cache.h"

#include "views/cards/card_back.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QString sizeKey(const QSizeF& size, qreal dpr)
{
    return QString::number(size.width(), 'f', 2) + QLatin1Char('x') +
           QString::number(size.height(), 'f', 2) + QLatin1Char('@') + QString::number(dpr, 'f', 2);
}

// Separable Gaussian blur of the alpha channel of a premultiplied ARGB image, in place.
void blurAlpha(QImage& image, double sigma)
{
    if (sigma <= 0.0)
        return;
    const int radius = int(std::ceil(sigma * 3.0));
    std::vector<double> kernel(size_t(2 * radius + 1));
    double sum = 0.0;
    for (int i = -radius; i <= radius; ++i) {
        const double v = std::exp(-(i * i) / (2.0 * sigma * sigma));
        kernel[size_t(i + radius)] = v;
        sum += v;
    }
    for (double& v : kernel)
        v /= sum;

    const int w = image.width();
    const int h = image.height();
    std::vector<double> alpha(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            alpha[size_t(y) * size_t(w) + size_t(x)] = qAlpha(line[x]);
    }
    std::vector<double> pass(alpha.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double acc = 0.0;
            for (int k = -radius; k <= radius; ++k) {
                const int xx = std::clamp(x + k, 0, w - 1);
                acc += alpha[size_t(y) * size_t(w) + size_t(xx)] * kernel[size_t(k + radius)];
            }
            pass[size_t(y) * size_t(w) + size_t(x)] = acc;
        }
    }
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double acc = 0.0;
            for (int k = -radius; k <= radius; ++k) {
                const int yy = std::clamp(y + k, 0, h - 1);
                acc += pass[size_t(yy) * size_t(w) + size_t(x)] * kernel[size_t(k + radius)];
            }
            const int a = std::clamp(int(std::lround(acc)), 0, 255);
            line[x] = qRgba(0, 0, 0, a);
        }
    }
}

} // namespace

namespace TableCardCache {

QPixmap back(const QSizeF& size, qreal devicePixelRatio)
{
    const QString key = QStringLiteral("arcandel-table-back-") + sizeKey(size, devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    const QSize pixels(std::max(1, int(std::ceil(size.width() * devicePixelRatio))),
                       std::max(1, int(std::ceil(size.height() * devicePixelRatio))));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        CardBack::paint(painter, QRectF(QPointF(0, 0), size));
    }
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

qreal shadowMargin(qreal blurRadius)
{
    // Three standard deviations of a blur whose deviation is half its radius.
    return std::ceil(blurRadius * 1.5) + 1.0;
}

QPixmap shadow(const QSizeF& size, qreal cornerRadius, qreal blurRadius, const QColor& color,
               qreal devicePixelRatio)
{
    const QString key = QStringLiteral("arcandel-table-shadow-") + sizeKey(size, devicePixelRatio) +
                        QLatin1Char('-') + QString::number(cornerRadius) + QLatin1Char('-') +
                        QString::number(blurRadius) + QLatin1Char('-') +
                        QString::number(color.rgba(), 16);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    const qreal margin = shadowMargin(blurRadius);
    const QSizeF full(size.width() + 2 * margin, size.height() + 2 * margin);
    const QSize pixels(std::max(1, int(std::ceil(full.width() * devicePixelRatio))),
                       std::max(1, int(std::ceil(full.height() * devicePixelRatio))));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(devicePixelRatio, devicePixelRatio);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRoundedRect(QRectF(QPointF(margin, margin), size), cornerRadius, cornerRadius);
    }
    blurAlpha(image, blurRadius / 2.0 * devicePixelRatio);
    // Tint the blurred mask with the shadow's colour and opacity.
    {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace TableCardCache
