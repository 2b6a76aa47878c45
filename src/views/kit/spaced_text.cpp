#include "views/kit/spaced_text.h"

#include "views/kit/typography.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <memory>

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

SpacedText::SpacedText(const QString& text, QWidget* parent) : SpacedText(parent)
{
    setText(text);
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
    // The extra spacing follows the last line too; leave it out so blocks line up.
    m_cachedHeight = int(std::ceil(doc->size().height() - m_lineSpacing));
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
