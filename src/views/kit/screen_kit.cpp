#include "views/kit/screen_kit.h"

#include "views/kit/typography.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>

ScreenDivider::ScreenDivider(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation)
{
    if (orientation == Qt::Horizontal) {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setFixedWidth(1);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
}

void ScreenDivider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor color = palette().color(QPalette::WindowText);
    color.setAlphaF(0.14f);
    painter.fillRect(rect(), color);
}

ProminentButton::ProminentButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    setFont(Typography::font(Typography::Style::body));
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

QSize ProminentButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 28, std::max(28, metrics.height() + 12)};
}

void ProminentButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QColor fill = Typography::accent();
    if (!isEnabled())
        fill.setAlphaF(0.45f);
    else if (isDown())
        fill = fill.darker(125);
    else if (underMouse())
        fill = fill.lighter(110);
    const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(box, 6, 6);
    if (hasFocus()) {
        QColor ring = Typography::accent();
        ring.setAlphaF(0.5f);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ring, 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 7, 7);
    }
    painter.setPen(Qt::white);
    painter.setFont(font());
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text());
}

ToggleSwitch::ToggleSwitch(QWidget* parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ToggleSwitch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF track = QRectF(rect()).adjusted(2, 2, -2, -2);
    const qreal radius = track.height() / 2;
    QColor fill = isChecked() ? Typography::accent() : palette().color(QPalette::WindowText);
    if (!isChecked())
        fill.setAlphaF(0.18f);
    if (!isEnabled())
        fill.setAlphaF(fill.alphaF() * 0.5f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(track, radius, radius);
    const qreal knob = track.height() - 4;
    const qreal x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawEllipse(QRectF(x, track.top() + 2.6, knob, knob));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
    if (hasFocus()) {
        QColor ring = Typography::accent();
        ring.setAlphaF(0.5f);
        painter.setPen(QPen(ring, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), radius + 1, radius + 1);
    }
}

namespace ScreenKit {

QLabel* label(const QString& text, const QFont& font, bool secondary, bool selectable,
              QWidget* parent)
{
    auto* result = new QLabel(parent);
    result->setTextFormat(Qt::PlainText);
    result->setText(text);
    result->setFont(font);
    result->setWordWrap(true);
    if (selectable) {
        result->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        result->setCursor(Qt::IBeamCursor);
    }
    if (secondary)
        makeSecondary(result);
    return result;
}

void makeSecondary(QWidget* widget)
{
    QPalette palette = widget->palette();
    const QColor color = Typography::secondary(QApplication::palette());
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QColor materialFill(const QPalette& palette)
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

QColor materialEdge(const QPalette& palette)
{
    QColor edge = palette.color(QPalette::WindowText);
    edge.setAlphaF(0.09f);
    return edge;
}

} // namespace ScreenKit
