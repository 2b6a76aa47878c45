#include "app/window_capture.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QWidget>

namespace WindowCapture {

QImage render(QWidget* content)
{
    if (!content || !content->isVisible() || content->size().isEmpty())
        return {};
    const qreal ratio = content->devicePixelRatioF();
    QImage image(content->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(ratio);
    image.fill(content->palette().color(QPalette::Window));
    QPainter painter(&image);
    content->render(&painter, QPoint(), QRegion(),
                    QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.end();
    return image;
}

bool writePng(const QImage& image, const QString& path)
{
    if (image.isNull())
        return false;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || data.isEmpty())
        return false;
    QFile file(path);
    // A picture of the journal is as private as the journal.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    return file.write(data) == data.size();
}

} // namespace WindowCapture
