#include "views/cards/card_shadow.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Separable Gaussian blur of the alpha channel of a premultiplied ARGB image, in place; the
// colour is left black, to be tinted afterwards.
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

namespace CardShadow {

qreal margin(qreal blurRadius)
{
    // Three standard deviations of a blur whose deviation is half its radius.
    return std::ceil(std::max<qreal>(blurRadius, 0.0) * 1.5) + 1.0;
}

QPixmap pixmap(const QSizeF& size, qreal cornerRadius, qreal blurRadius, const QColor& color,
               qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QString key = QStringLiteral("arcandel-card-shadow-%1x%2@%3-%4-%5-%6")
                            .arg(size.width(), 0, 'f', 2)
                            .arg(size.height(), 0, 'f', 2)
                            .arg(ratio, 0, 'f', 2)
                            .arg(cornerRadius)
                            .arg(blurRadius)
                            .arg(color.rgba(), 0, 16);
    QPixmap result;
    if (QPixmapCache::find(key, &result))
        return result;
    const qreal pad = margin(blurRadius);
    const QSize pixels(std::max(1, int(std::ceil((size.width() + 2 * pad) * ratio))),
                       std::max(1, int(std::ceil((size.height() + 2 * pad) * ratio))));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(ratio, ratio);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRoundedRect(QRectF(QPointF(pad, pad), size), cornerRadius, cornerRadius);
    }
    blurAlpha(image, std::max<qreal>(blurRadius, 0.0) / 2.0 * ratio);
    {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
    }
    image.setDevicePixelRatio(ratio);
    result = QPixmap::fromImage(image);
    QPixmapCache::insert(key, result);
    return result;
}

void paint(QPainter& painter, const QRectF& card, qreal cornerRadius, qreal blurRadius,
           const QColor& color, const QPointF& offset, qreal degrees)
{
    if (card.isEmpty() || color.alpha() == 0)
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap shadow = pixmap(card.size(), cornerRadius, blurRadius, color, ratio);
    const qreal pad = margin(blurRadius);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.translate(card.center() + offset);
    painter.rotate(degrees);
    painter.drawPixmap(QRectF(QPointF(-card.width() / 2 - pad, -card.height() / 2 - pad),
                              QSizeF(shadow.size()) / ratio),
                       shadow, QRectF(QPointF(0, 0), QSizeF(shadow.size())));
    painter.restore();
}

} // namespace CardShadow
