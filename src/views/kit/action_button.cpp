#include "views/kit/action_button.h"

#include "views/kit/focus_ring.h"
#include "views/kit/icons.h"
#include "views/kit/typography.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace {
constexpr int horizontalPadding = 12;
constexpr int verticalPadding = 5;
constexpr int symbolGap = 6;
constexpr qreal cornerRadius = 6.0;
} // namespace

ActionButton::ActionButton(const QString& text, Kind kind, QWidget* parent)
    : QPushButton(text, parent), m_kind(kind)
{
    setFont(Typography::font(Typography::Style::body));
    setCursor(Qt::PointingHandCursor);
    setAutoDefault(false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
}

void ActionButton::setSymbol(const QString& symbol)
{
    Layouts::assignSized(this, m_symbol, Icons::has(symbol) ? symbol : QString());
}

void ActionButton::setTint(const QColor& tint)
{
    m_tint = tint;
    update();
}

int ActionButton::symbolSize() const
{
    return m_stacked ? 20 : 14;
}

QSize ActionButton::sizeHint() const
{
    const QFontMetricsF metrics(font());
    const qreal textWidth = std::ceil(metrics.horizontalAdvance(text()));
    const qreal textHeight = std::ceil(metrics.height());
    const bool hasSymbol = !m_symbol.isEmpty();
    qreal width = textWidth;
    qreal height = textHeight;
    if (hasSymbol && m_stacked) {
        width = std::max<qreal>(width, symbolSize());
        height += symbolSize() + symbolGap;
    } else if (hasSymbol) {
        width += symbolSize() + symbolGap;
        height = std::max<qreal>(height, symbolSize());
    }
    if (m_kind == Kind::plain && text().isEmpty())
        return {symbolSize() + 2 * verticalPadding + 2, symbolSize() + 2 * verticalPadding + 2};
    const int vertical = (m_stacked ? verticalPadding + 4 : verticalPadding) + m_extraPadding;
    return {int(width) + 2 * horizontalPadding, int(height) + 2 * vertical};
}

QSize ActionButton::minimumSizeHint() const
{
    return sizeHint();
}

QColor ActionButton::labelColor() const
{
    if (m_kind == Kind::prominent)
        return Qt::white;
    if (m_kind == Kind::plain)
        return Typography::secondary(palette());
    if (m_tint.isValid())
        return m_tint;
    return palette().color(QPalette::ButtonText);
}

void ActionButton::paintBordered(QPainter& painter, const QRectF& frame, const QColor& base,
                                 bool tinted, bool hovered, bool pressed)
{
    QColor fill = base;
    fill.setAlphaF(tinted ? (pressed ? 0.30f : (hovered ? 0.22f : 0.15f))
                          : (pressed ? 0.16f : (hovered ? 0.11f : 0.07f)));
    QColor border = base;
    border.setAlphaF(tinted ? 0.55f : 0.18f);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(fill);
    painter.setPen(QPen(border, 1.0));
    painter.drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    painter.restore();
}

void ActionButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        painter.setOpacity(0.42);

    const QRectF frame = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const bool pressed = isDown();
    if (m_kind == Kind::prominent) {
        QColor fill = Typography::accent();
        if (pressed)
            fill = fill.darker(118);
        else if (underMouse() && isEnabled())
            fill = fill.lighter(108);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(frame, cornerRadius, cornerRadius);
    } else if (m_kind == Kind::plain) {
        if (pressed || (underMouse() && isEnabled())) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Typography::withAlpha(
                palette().color(QPalette::Active, QPalette::WindowText), pressed ? 0.14 : 0.07));
            painter.drawRoundedRect(frame, cornerRadius, cornerRadius);
        }
    } else {
        const QColor base =
            m_tint.isValid() ? m_tint : palette().color(QPalette::Active, QPalette::WindowText);
        paintBordered(painter, frame, base, m_tint.isValid(), underMouse(), pressed);
    }

    if (FocusRing::visible(this)) {
        QColor ring = m_tint.isValid() ? m_tint : Typography::accent();
        ring.setAlphaF(0.85f);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ring, 2.0));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), cornerRadius + 1.5,
                                cornerRadius + 1.5);
    }

    const QColor color = labelColor();
    const QFontMetricsF metrics(font());
    const qreal textWidth = metrics.horizontalAdvance(text());
    const qreal textHeight = metrics.height();
    const QRectF content = QRectF(rect());
    painter.setFont(font());
    painter.setPen(color);
    if (m_symbol.isEmpty()) {
        painter.drawText(content, Qt::AlignCenter | Qt::TextSingleLine, text());
        return;
    }
    const qreal s = symbolSize();
    if (text().isEmpty()) {
        Icons::paint(painter, QRectF(content.center() - QPointF(s / 2.0, s / 2.0), QSizeF(s, s)),
                     m_symbol, color);
    } else if (m_stacked) {
        const qreal total = s + symbolGap + textHeight;
        const qreal top = content.center().y() - total / 2.0;
        Icons::paint(painter, QRectF(content.center().x() - s / 2.0, top, s, s), m_symbol, color);
        painter.drawText(QRectF(content.left(), top + s + symbolGap, content.width(), textHeight),
                         Qt::AlignCenter | Qt::TextSingleLine, text());
    } else {
        const qreal total = s + symbolGap + textWidth;
        const qreal left = content.center().x() - total / 2.0;
        Icons::paint(painter, QRectF(left, content.center().y() - s / 2.0, s, s), m_symbol, color);
        painter.drawText(
            QRectF(left + s + symbolGap, content.top(), textWidth + 2, content.height()),
            Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());
    }
}

void ActionButton::keyPressEvent(QKeyEvent* event)
{
    // Return and Enter press the focused button, as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
