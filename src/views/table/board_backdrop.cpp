#include "views/table/board_backdrop.h"

#include "views/kit/table_palette.h"
#include "views/kit/table_surface.h"
#include "views/kit/typography.h"

#include <QImage>
#include <QPainter>

void BoardBackdrop::paint(QPainter& target, const QRect& dirty, const QSize& size,
                          const QString& theme)
{
    const qreal dpr = target.device()->devicePixelRatioF();
    const QString key = theme + QLatin1Char('|') + QString::number(size.width()) +
                        QLatin1Char('x') + QString::number(size.height()) + QLatin1Char('@') +
                        QString::number(dpr);
    if (key != m_key) {
        QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            const QRectF area(QPointF(0, 0), QSizeF(size));
            TableSurface::paint(painter, area, theme);
            QColor star = TablePalette::gold();
            star.setAlphaF(0.055f);
            painter.setPen(star);
            painter.setFont(Typography::system(160, QFont::ExtraLight));
            painter.drawText(area, Qt::AlignCenter, QStringLiteral("✦"));
        }
        m_pixmap = QPixmap::fromImage(image);
        m_key = key;
    }
    target.drawPixmap(QRectF(dirty), m_pixmap,
                      QRectF(QPointF(dirty.topLeft()) * dpr, QSizeF(dirty.size()) * dpr));
}
