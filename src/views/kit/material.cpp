#include "views/kit/material.h"

namespace Material {

QColor fill(const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Window);
    if (window.lightness() < 128) {
        QColor lifted = window.lighter(135);
        lifted.setAlphaF(0.85f);
        return lifted;
    }
    QColor base = palette.color(QPalette::Base);
    base.setAlphaF(0.72f);
    return base;
}

QColor edge(const QPalette& palette)
{
    QColor edge = palette.color(QPalette::WindowText);
    edge.setAlphaF(0.09f);
    return edge;
}

} // namespace Material
