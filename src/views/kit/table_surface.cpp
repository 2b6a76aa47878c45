#include "views/kit/table_surface.h"

#include "views/kit/table_palette.h"
#include "views/kit/typography.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

void strokeFrame(QPainter& painter, const QRectF& rect, qreal inset, qreal radius, qreal alpha)
{
    const QRectF frame = rect.adjusted(inset, inset, -inset, -inset);
    if (frame.width() <= 0 || frame.height() <= 0)
        return;
    QPen pen(Typography::withAlpha(TablePalette::gold(), alpha), 1.0);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, radius, radius);
}

} // namespace

namespace TableSurface {

void paintWeave(QPainter& painter, const QRectF& rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Typography::withAlpha(Qt::white, 0.018), 0.5));
    for (qreal x = 0; x < rect.width(); x += weaveStep)
        painter.drawLine(QPointF(rect.left() + x, rect.top()),
                         QPointF(rect.left() + x, rect.bottom()));
    painter.setPen(QPen(Typography::withAlpha(Qt::black, 0.04), 0.5));
    for (qreal y = 0; y < rect.height(); y += weaveStep)
        painter.drawLine(QPointF(rect.left(), rect.top() + y),
                         QPointF(rect.right(), rect.top() + y));
    painter.restore();
}

void paint(QPainter& painter, const QRectF& rect, const QString& theme)
{
    if (rect.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);

    QPainterPath shape;
    shape.addRoundedRect(rect, cornerRadius, cornerRadius);

    // Gradient from the top-leading to the bottom-trailing corner, measured in the unit
    // square of the cloth so the diagonal runs corner to corner whatever the proportions.
    const TablePalette colors = TablePalette::palette(theme);
    QLinearGradient gradient(QPointF(0, 0), QPointF(1, 1));
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, colors.top);
    gradient.setColorAt(1, colors.bottom);
    // Filling the path (rather than clipping a rectangle) keeps the rounded corners smooth.
    painter.fillPath(shape, gradient);

    painter.setClipPath(shape, Qt::IntersectClip);
    paintWeave(painter, rect);
    strokeFrame(painter, rect, 13, 22, 0.35);
    strokeFrame(painter, rect, 19, 18, 0.13);
    painter.restore();
}

} // namespace TableSurface

TableSurfaceWidget::TableSurfaceWidget(QWidget* parent) : QWidget(parent) {}

void TableSurfaceWidget::setTheme(const QString& theme)
{
    if (m_theme == theme)
        return;
    m_theme = theme;
    update();
}

void TableSurfaceWidget::paintEvent(QPaintEvent*)
{
    // The weave is hundreds of hairlines: drawn once per size, theme and pixel ratio.
    const qreal ratio = devicePixelRatioF();
    const QSize device = size() * ratio;
    if (m_cloth.size() != device || m_cloth.devicePixelRatio() != ratio ||
        m_clothTheme != m_theme) {
        m_cloth = QPixmap(device);
        m_cloth.setDevicePixelRatio(ratio);
        m_cloth.fill(Qt::transparent);
        QPainter cloth(&m_cloth);
        TableSurface::paint(cloth, QRectF(rect()), m_theme);
        m_clothTheme = m_theme;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_cloth);
}
