#include "views/kit/tag.h"

#include "views/kit/typography.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {

constexpr qreal horizontalPadding = 7.0;
constexpr qreal verticalPadding = 2.5;

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

} // namespace

namespace Tag {

QFont font()
{
    return Typography::tracked(Typography::system(10, QFont::DemiBold), 0.3);
}

QSizeF size(const QString& text)
{
    const QFontMetricsF metrics(font());
    return {std::ceil(metrics.horizontalAdvance(text) + 2 * horizontalPadding),
            std::ceil(metrics.height() + 2 * verticalPadding)};
}

void paint(QPainter& painter, const QRectF& rect, const QString& text, const QPalette& palette)
{
    const bool dark = isDark(palette);
    // On a dark window the accent is lifted so that it reads as clearly as on a light one.
    const QColor ink = dark ? Typography::accent().lighter(165) : Typography::accent().darker(112);
    const QColor fill = Typography::withAlpha(Typography::accent(), dark ? 0.26 : 0.13);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const qreal radius = rect.height() / 2.0;
    painter.drawRoundedRect(rect, radius, radius);
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
    painter.restore();
}

} // namespace Tag

TagLabel::TagLabel(const QString& text, QWidget* parent) : QWidget(parent), m_text(text)
{
    setAccessibleName(text);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize TagLabel::sizeHint() const
{
    return Tag::size(m_text).toSize();
}

void TagLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Tag::paint(painter, QRectF(rect()), m_text, palette());
}
