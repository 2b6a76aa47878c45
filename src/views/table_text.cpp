#include "views/table_text.h"

#include "views/typography.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QWheelEvent>
#include <cmath>
#include <memory>

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

SpacedText::SpacedText(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    document()->setDocumentMargin(0);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    m_font = font();
    setSelectable(false);
    // The whole text is always shown: the paragraph itself never scrolls.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value != 0)
            verticalScrollBar()->setValue(0);
    });
}

void SpacedText::setText(const QString& text)
{
    if (text == m_text && !document()->isEmpty())
        return;
    m_text = text;
    rebuild();
}

void SpacedText::setTextFont(const QFont& font)
{
    m_font = font;
    setFont(font);
    rebuild();
}

void SpacedText::setTextColor(const QColor& color)
{
    m_color = color;
    rebuild();
}

void SpacedText::setSecondary(bool secondary)
{
    m_secondary = secondary;
    rebuild();
}

void SpacedText::setLineSpacing(qreal spacing)
{
    m_lineSpacing = spacing;
    rebuild();
}

void SpacedText::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    rebuild();
}

void SpacedText::setSelectable(bool selectable)
{
    setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                       : Qt::NoTextInteraction);
    setFocusPolicy(selectable ? Qt::ClickFocus : Qt::NoFocus);
    viewport()->setCursor(selectable ? Qt::IBeamCursor : Qt::ArrowCursor);
    setAttribute(Qt::WA_TransparentForMouseEvents, !selectable);
}

void SpacedText::rebuild()
{
    QColor color = m_color.isValid() ? m_color : palette().color(QPalette::WindowText);
    if (m_secondary)
        color = Typography::secondary(palette());

    QTextDocument* doc = document();
    doc->clear();
    doc->setDefaultFont(m_font);
    QTextCursor cursor(doc);
    QTextBlockFormat block;
    block.setAlignment(m_alignment);
    block.setLineHeight(m_lineSpacing, QTextBlockFormat::LineDistanceHeight);
    QTextCharFormat chars;
    chars.setFont(m_font);
    chars.setForeground(color);
    cursor.setBlockFormat(block);
    cursor.setBlockCharFormat(chars);
    // insertText never parses markup; line feeds become paragraph breaks.
    cursor.insertText(m_text, chars);
    m_cachedWidth = -1;
    updateGeometry();
}

int SpacedText::heightForWidth(int width) const
{
    if (width == m_cachedWidth)
        return m_cachedHeight;
    std::unique_ptr<QTextDocument> doc(document()->clone());
    doc->setTextWidth(std::max(width, 1));
    m_cachedWidth = width;
    m_cachedHeight = int(std::ceil(doc->size().height())) + 1;
    return m_cachedHeight;
}

QSize SpacedText::sizeHint() const
{
    const int width = std::max(this->width(), 200);
    return {width, heightForWidth(width)};
}

QSize SpacedText::minimumSizeHint() const
{
    // The real height comes from heightForWidth(); a minimum guessed at some other width
    // would only make the page around it too tall.
    return {0, int(std::ceil(QFontMetricsF(m_font).height()))};
}

void SpacedText::wheelEvent(QWheelEvent* event)
{
    // Scrolling over the paragraph scrolls the page around it.
    event->ignore();
}

void SpacedText::focusOutEvent(QFocusEvent* event)
{
    // A selection left behind would look like a highlight of its own.
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection() && event->reason() != Qt::PopupFocusReason) {
        cursor.clearSelection();
        setTextCursor(cursor);
    }
    QTextEdit::focusOutEvent(event);
}

void SpacedText::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        rebuild();
}

void SpacedText::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    const int wanted = heightForWidth(width());
    if (wanted != height())
        updateGeometry();
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
