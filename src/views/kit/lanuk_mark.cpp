#include "views/kit/lanuk_mark.h"

#include "model/catalog.h"
#include "views/kit/icons.h"
#include "views/kit/rounded_corners.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <cmath>

namespace {

// The mascot picture scaled once per size and ratio; repaints reuse it.
QPixmap mascot(const QString& path, QSize device, qreal ratio)
{
    const QString key = QStringLiteral("arcandel-lanuk|%1|%2x%3|%4")
                            .arg(path)
                            .arg(device.width())
                            .arg(device.height())
                            .arg(ratio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return {};
    QPixmap scaled =
        QPixmap::fromImage(picture.scaled(device, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    scaled.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, scaled);
    return scaled;
}

} // namespace

LanukMark::LanukMark(int size, QWidget* parent) : QWidget(parent), m_size(size)
{
    setFixedSize(size, size);
    setAttribute(Qt::WA_TranslucentBackground);
}

QSize LanukMark::sizeHint() const
{
    return {m_size, m_size};
}

void LanukMark::paint(QPainter& painter, const QRectF& rect)
{
    paint(painter, rect, QGuiApplication::palette().color(QPalette::WindowText));
}

void LanukMark::paint(QPainter& painter, const QRectF& rect, const QColor& symbolColor)
{
    paint(painter, rect, symbolColor, Catalog::lanukURL());
}

void LanukMark::paint(QPainter& painter, const QRectF& rect, const QColor& symbolColor,
                      const std::optional<QString>& path)
{
    const qreal side = qMin(rect.width(), rect.height());
    if (side <= 0)
        return;
    const QRectF box(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    const qreal radius = cornerRadius(side);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);

    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const qreal scale = std::sqrt(std::abs(painter.worldTransform().determinant()));
    const qreal effective = ratio * (scale > 0 ? scale : 1.0);
    const QSize device(qMax(1, qRound(side * effective)), qMax(1, qRound(side * effective)));
    const QPixmap picture = path ? mascot(*path, device, effective) : QPixmap();

    // Draw into a layer and mask it with an antialiased rounded square, so the corners are
    // smooth (a clip path would leave them jagged).
    QPixmap layer(device);
    layer.setDevicePixelRatio(effective);
    layer.fill(Qt::transparent);
    {
        QPainter inner(&layer);
        inner.setRenderHint(QPainter::Antialiasing, true);
        inner.setRenderHint(QPainter::SmoothPixmapTransform, true);
        const QRectF local(0, 0, side, side);
        if (!picture.isNull()) {
            const QSizeF logical = QSizeF(picture.size()) / effective;
            inner.drawPixmap(QRectF(local.center().x() - logical.width() / 2,
                                    local.center().y() - logical.height() / 2, logical.width(),
                                    logical.height()),
                             picture, QRectF(QPointF(0, 0), QSizeF(picture.size())));
        } else {
            Icons::paint(inner, local, QStringLiteral("moon.stars.fill"), symbolColor);
        }
        RoundedCorners::clearOutside(inner, local, radius);
    }
    painter.drawPixmap(box, layer, QRectF(QPointF(0, 0), QSizeF(layer.size())));
    painter.restore();
}

void LanukMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, QRectF(rect()), palette().color(QPalette::WindowText));
}

QHBoxLayout* LanukMark::header(int size, int spacing, QWidget* parent, const QList<QWidget*>& lines)
{
    auto* header = new QHBoxLayout;
    header->setSpacing(spacing);
    header->addWidget(new LanukMark(size, parent), 0, Qt::AlignVCenter);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(5);
    titles->addStretch(1);
    for (QWidget* line : lines)
        titles->addWidget(line);
    titles->addStretch(1);
    header->addLayout(titles, 1);
    return header;
}
