#include "views/screen_kit.h"

#include "views/typography.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <memory>

ScreenParagraph::ScreenParagraph(const QString& text, QWidget* parent)
    : QTextEdit(parent), m_text(text)
{
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::ClickFocus);
    document()->setDocumentMargin(0);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    m_font = font();
    rebuild();
}

void ScreenParagraph::setText(const QString& text)
{
    m_text = text;
    rebuild();
}

void ScreenParagraph::setTextFont(const QFont& font)
{
    m_font = font;
    setFont(font);
    rebuild();
}

void ScreenParagraph::setSecondary(bool secondary)
{
    m_secondary = secondary;
    rebuild();
}

void ScreenParagraph::setLineSpacing(qreal spacing)
{
    m_lineSpacing = spacing;
    rebuild();
}

void ScreenParagraph::rebuild()
{
    m_rebuilding = true;
    const QPalette inherited = parentWidget() ? parentWidget()->palette() : QApplication::palette();
    const QColor color =
        m_secondary ? Typography::secondary(inherited) : inherited.color(QPalette::WindowText);
    QTextDocument* doc = document();
    doc->clear();
    doc->setDefaultFont(m_font);
    QTextCursor cursor(doc);
    QTextBlockFormat block;
    block.setLineHeight(m_lineSpacing, QTextBlockFormat::LineDistanceHeight);
    QTextCharFormat chars;
    chars.setFont(m_font);
    chars.setForeground(color);
    cursor.setBlockFormat(block);
    cursor.setBlockCharFormat(chars);
    // insertText takes the text literally: no markup is ever parsed.
    cursor.insertText(m_text, chars);
    m_cachedWidth = -1;
    m_rebuilding = false;
    updateGeometry();
}

int ScreenParagraph::heightForWidth(int width) const
{
    width = std::max(width, 1);
    if (width == m_cachedWidth)
        return m_cachedHeight;
    std::unique_ptr<QTextDocument> doc(document()->clone());
    doc->setTextWidth(width);
    m_cachedWidth = width;
    // The extra spacing follows the last line too; leave it out so blocks line up.
    m_cachedHeight = int(std::ceil(doc->size().height() - m_lineSpacing));
    return m_cachedHeight;
}

QSize ScreenParagraph::sizeHint() const
{
    const int width = std::max(this->width(), 240);
    return {width, heightForWidth(width)};
}

QSize ScreenParagraph::minimumSizeHint() const
{
    // The real height comes from heightForWidth once the width is known; a minimum taken
    // at some early, narrow width would only hold the page open below its content.
    return {40, int(std::ceil(QFontMetricsF(m_font).height()))};
}

void ScreenParagraph::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    if (!m_rebuilding &&
        (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange))
        rebuild();
}

void ScreenParagraph::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    if (heightForWidth(width()) != height())
        updateGeometry();
}

void ScreenParagraph::wheelEvent(QWheelEvent* event)
{
    // The paragraph is always as tall as its text: let the page around it scroll.
    event->ignore();
}

void ScreenParagraph::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    // A selection left behind in another paragraph would look like two selections.
    if (event->reason() != Qt::PopupFocusReason) {
        QTextCursor cursor = textCursor();
        cursor.clearSelection();
        setTextCursor(cursor);
    }
}

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
