#include "views/kit/clamped_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

// Line breaks typed by the user stay line breaks inside one laid-out paragraph.
QString layoutText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return text;
}

qreal pitchOf(const QFont& font, qreal pitch)
{
    return pitch > 0 ? pitch : QFontMetricsF(font).height();
}

// Lays `text` out in `layout` with at most `maxLines` lines (0: no limit); returns whether
// text was left over, so that the last line has to be elided.
bool layOut(QTextLayout& layout, const QString& text, const QFont& font, qreal width, int maxLines,
            Qt::Alignment alignment, qreal pitch)
{
    layout.setText(layoutText(text));
    layout.setFont(font);
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    int lines = 0;
    int end = 0;
    while (maxLines <= 0 || lines < maxLines) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(std::max<qreal>(width, 1.0));
        line.setPosition(QPointF(0, pitch * lines));
        end = line.textStart() + line.textLength();
        ++lines;
    }
    layout.endLayout();
    return end < layout.text().size();
}

} // namespace

namespace ClampedText {

qreal height(const QString& text, const QFont& font, qreal width, int maxLines, qreal pitch)
{
    if (text.isEmpty())
        return 0.0;
    pitch = pitchOf(font, pitch);
    QTextLayout layout;
    layOut(layout, text, font, width, maxLines, Qt::AlignLeft, pitch);
    const int lines = layout.lineCount();
    // The last line takes the font's height, not the whole pitch.
    return (lines - 1) * pitch + QFontMetricsF(font).height();
}

QSizeF size(const QString& text, const QFont& font, qreal width, int maxLines)
{
    if (text.isEmpty())
        return {0.0, 0.0};
    const qreal pitch = pitchOf(font, 0);
    QTextLayout layout;
    const bool truncated = layOut(layout, text, font, width, maxLines, Qt::AlignLeft, pitch);
    qreal widest = truncated ? width : 0.0;
    for (int i = 0; i < layout.lineCount(); ++i)
        widest = std::max(widest, layout.lineAt(i).naturalTextWidth());
    return {std::min(std::ceil(widest), width),
            (layout.lineCount() - 1) * pitch + QFontMetricsF(font).height()};
}

bool isClamped(const QString& text, const QFont& font, qreal width, int maxLines)
{
    if (text.isEmpty() || maxLines <= 0)
        return false;
    QTextLayout layout;
    return layOut(layout, text, font, width, maxLines, Qt::AlignLeft, pitchOf(font, 0));
}

qreal paint(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
            const QColor& color, int maxLines, Qt::Alignment alignment, qreal pitch)
{
    if (text.isEmpty())
        return 0.0;
    pitch = pitchOf(font, pitch);
    const QFontMetricsF metrics(font);
    // Never more lines than the rectangle holds (a subpixel difference between a measure and
    // the layout must not push text into what lies below).
    const int room = std::max(1, int(std::floor((rect.height() - metrics.height()) / pitch + 1.5)));
    maxLines = maxLines > 0 ? std::min(maxLines, room) : room;
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    QTextLayout layout;
    const bool truncated = layOut(layout, text, font, rect.width(), maxLines, horizontal, pitch);
    painter.save();
    painter.setPen(color);
    painter.setFont(font);
    const int count = layout.lineCount();
    for (int i = 0; i < count; ++i) {
        const QTextLine line = layout.lineAt(i);
        if (i == count - 1 && truncated) {
            QString rest = layout.text().mid(line.textStart());
            rest.replace(QChar::LineSeparator, QLatin1Char(' '));
            const QString elided = metrics.elidedText(rest, Qt::ElideRight, rect.width());
            painter.drawText(
                QRectF(rect.left(), rect.top() + line.y(), rect.width(), metrics.height()),
                int(horizontal | Qt::AlignTop) | Qt::TextSingleLine, elided);
        } else {
            line.draw(&painter, rect.topLeft());
        }
    }
    painter.restore();
    return count > 0 ? (count - 1) * pitch + metrics.height() : 0.0;
}

} // namespace ClampedText
