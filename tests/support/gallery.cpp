#include "support/gallery.h"

#include "support/test_paths.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace Gallery {

QString folder()
{
    const QString path = TestPaths::testBinaryDir() + QStringLiteral("/gallery");
    QDir().mkpath(path);
    return path;
}

QString save(QWidget* widget, const QString& name, qreal devicePixelRatio)
{
    if (!widget)
        return {};
    QApplication::processEvents();
    const QSize size = widget->size();
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(widget->palette().window().color());
    {
        QPainter painter(&image);
        widget->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground |
                                                          QWidget::DrawChildren);
    }
    const QString path = folder() + QLatin1Char('/') + name + QStringLiteral(".png");
    return image.save(path, "PNG") ? path : QString();
}

} // namespace Gallery
