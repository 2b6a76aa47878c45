#include "views/kit/material.h"

#include "views/kit/typography.h"

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

} // namespace Material
