#include "views/kit/material.h"

#include "views/kit/typography.h"

#include <QPainter>

namespace Material {

QColor fill(const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Window);
    if (window.lightness() < 128)
        return Typography::withAlpha(window.lighter(135), 0.85);
    return Typography::withAlpha(palette.color(QPalette::Base), 0.72);
}

QColor edge(const QPalette& palette)
{
    return Typography::withAlpha(palette.color(QPalette::WindowText), 0.09);
}

void drawPanel(QPainter& painter, const QRectF& rect, qreal radius, const QPalette& palette)
{
    painter.setPen(QPen(edge(palette), 1));
    painter.setBrush(fill(palette));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

} // namespace Material
