#include "views/kit/table_text.h"

#include "views/kit/typography.h"

#include <QAbstractScrollArea>
#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <cmath>

namespace {

struct LaidOutLine {
    QTextLine line;
    bool elided = false;
    QString elidedText;
};

// Lays out `text` in `layout` with at most `maxLines` lines; the returned flag says whether
// text was left over (then the last line has to be elided).
bool layOut(QTextLayout& layout, const QString& text, const QFont& font, qreal width, int maxLines,
            Qt::Alignment alignment)
{
    QString prepared = text;
    prepared.replace(QLatin1Char('\n'), QChar::LineSeparator);
    layout.setText(prepared);
    layout.setFont(font);
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    int count = 0;
    bool leftOver = false;
    while (true) {
        if (maxLines > 0 && count == maxLines) {
            // One more line would be needed when any text is left.
            QTextLine probe = layout.createLine();
            leftOver = probe.isValid();
            if (leftOver) {
                probe.setLineWidth(width);
                probe.setPosition(QPointF(0, -10000)); // never drawn
            }
            break;
        }
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        ++count;
    }
    layout.endLayout();
    return leftOver;
}

} // namespace

namespace TableText {

qreal clampedHeight(const QString& text, const QFont& font, qreal width, int maxLines,
                    qreal extraLineSpacing)
{
    if (text.isEmpty())
        return 0.0;
    QTextLayout layout;
    layOut(layout, text, font, std::max<qreal>(width, 1.0), maxLines, Qt::AlignLeft);
    int lines = layout.lineCount();
    if (maxLines > 0)
        lines = std::min(lines, maxLines);
    const QFontMetricsF metrics(font);
    return lines * metrics.height() + std::max(0, lines - 1) * extraLineSpacing;
}

bool isClamped(const QString& text, const QFont& font, qreal width, int maxLines)
{
    if (text.isEmpty() || maxLines <= 0)
        return false;
    QTextLayout layout;
    return layOut(layout, text, font, std::max<qreal>(width, 1.0), maxLines, Qt::AlignLeft);
}

qreal paintClamped(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                   const QColor& color, int maxLines, Qt::Alignment alignment,
                   qreal extraLineSpacing)
{
    if (text.isEmpty())
        return 0.0;
    const qreal width = std::max<qreal>(rect.width(), 1.0);
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    QTextLayout layout;
    const bool leftOver = layOut(layout, text, font, width, maxLines, horizontal);
    int lines = layout.lineCount();
    if (maxLines > 0)
        lines = std::min(lines, maxLines);
    const QFontMetricsF metrics(font);
    const qreal lineHeight = metrics.height();

    painter.save();
    painter.setPen(color);
    painter.setFont(font);
    qreal y = rect.top();
    for (int i = 0; i < lines; ++i) {
        QTextLine line = layout.lineAt(i);
        const bool last = i == lines - 1;
        if (last && leftOver) {
            QString rest = text.mid(line.textStart());
            rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
            const QString elided = metrics.elidedText(rest, Qt::ElideRight, width);
            painter.drawText(QRectF(rect.left(), y, width, lineHeight),
                             int(horizontal | Qt::AlignTop) | Qt::TextSingleLine, elided);
        } else {
            line.setPosition(QPointF(0, 0));
            line.draw(&painter, QPointF(rect.left(), y));
        }
        y += lineHeight + extraLineSpacing;
    }
    painter.restore();
    return lines * lineHeight + std::max(0, lines - 1) * extraLineSpacing;
}

namespace {
const char* const secondaryProperty = "arcandelSecondaryShade";
const char* const slimProperty = "arcandelSlimScrollBar";

void styleSlimScrollBar(QScrollBar* bar, const QPalette& palette)
{
    QColor handle = palette.color(QPalette::WindowText);
    handle.setAlphaF(0.22f);
    if (bar->property("arcandelSlimColor").toUInt() == handle.rgba() &&
        !bar->styleSheet().isEmpty())
        return;
    bar->setProperty("arcandelSlimColor", handle.rgba());
    QColor hover = handle;
    hover.setAlphaF(0.38f);
    const auto rgba = [](const QColor& c) {
        return QStringLiteral("rgba(%1, %2, %3, %4)")
            .arg(c.red())
            .arg(c.green())
            .arg(c.blue())
            .arg(c.alpha());
    };
    bar->setStyleSheet(
        QStringLiteral("QScrollBar:vertical { background: transparent; width: 10px; "
                       "margin: 4px 2px 4px 2px; }"
                       "QScrollBar::handle:vertical { background: %1; border-radius: 3px; "
                       "min-height: 32px; }"
                       "QScrollBar::handle:vertical:hover { background: %2; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical "
                       "{ height: 0px; border: none; background: none; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical "
                       "{ background: none; }")
            .arg(rgba(handle), rgba(hover)));
}
} // namespace

QScrollArea* transparentScrollArea(const QString& objectName, QWidget* parent)
{
    auto* scroll = new QScrollArea(parent);
    scroll->setObjectName(objectName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    useSlimScrollBar(scroll);
    return scroll;
}

void useSlimScrollBar(QAbstractScrollArea* area)
{
    QScrollBar* bar = area->verticalScrollBar();
    bar->setProperty(slimProperty, true);
    styleSlimScrollBar(bar, area->palette());
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void useSecondary(QWidget* widget)
{
    widget->setProperty(secondaryProperty, true);
    const QWidget* source = widget->parentWidget() ? widget->parentWidget() : widget;
    setTextColor(widget, Typography::secondary(source->palette()));
}

void refreshShades(QWidget* root)
{
    const QColor color = Typography::secondary(root->palette());
    const QList<QWidget*> children = root->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (child->property(slimProperty).toBool())
            styleSlimScrollBar(static_cast<QScrollBar*>(child), root->palette());
        if (child->property(secondaryProperty).toBool() &&
            child->palette().color(QPalette::WindowText) != color)
            setTextColor(child, color);
    }
}

} // namespace TableText

ClampedLabel::ClampedLabel(int maxLines, QWidget* parent) : QLabel(parent), m_maxLines(maxLines)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ClampedLabel::setMaxLines(int lines)
{
    m_maxLines = lines;
    updateGeometry();
    update();
}

void ClampedLabel::setExtraLineSpacing(qreal spacing)
{
    m_extraLineSpacing = spacing;
    updateGeometry();
    update();
}

bool ClampedLabel::isElided() const
{
    return TableText::isClamped(text(), font(), contentsRect().width(), m_maxLines);
}

QSize ClampedLabel::sizeHint() const
{
    const QFontMetricsF metrics(font());
    const int natural = int(std::ceil(metrics.horizontalAdvance(text()))) + 1;
    const int width = std::min(natural, 480);
    return {width, heightForWidth(width)};
}

QSize ClampedLabel::minimumSizeHint() const
{
    return {0, text().isEmpty() ? 0 : int(std::ceil(QFontMetricsF(font()).height()))};
}

int ClampedLabel::heightForWidth(int width) const
{
    const QMargins m = contentsMargins();
    return int(std::ceil(TableText::clampedHeight(text(), font(), width - m.left() - m.right(),
                                                  m_maxLines, m_extraLineSpacing))) +
           m.top() + m.bottom();
}

void ClampedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QColor color = palette().color(foregroundRole());
    if (!isEnabled())
        color = palette().color(QPalette::Disabled, foregroundRole());
    TableText::paintClamped(painter, contentsRect(), text(), font(), color, m_maxLines, alignment(),
                            m_extraLineSpacing);
}

TableDivider::TableDivider(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TableDivider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor color = palette().color(QPalette::WindowText);
    color.setAlphaF(0.14f);
    painter.fillRect(rect(), color);
}
