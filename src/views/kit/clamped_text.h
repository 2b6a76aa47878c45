#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;
class QRectF;
class QSizeF;

// Plain text wrapped at a width and cut to a number of lines, the last one ending in an
// ellipsis when text is left over. Line breaks typed by the user stay line breaks. Lines
// stand `pitch` apart (0 means the font's height), so the height a text takes never
// depends on which glyphs a line happens to use. Nothing is interpreted as markup.
namespace ClampedText {

// Height of `text` at `width` with at most `maxLines` lines (0 means no limit).
qreal height(const QString& text, const QFont& font, qreal width, int maxLines, qreal pitch = 0);
// The room `text` takes wrapped at `width` with at most `maxLines` lines: the width of its
// widest line (all of `width` when a line is cut short) and its height.
QSizeF size(const QString& text, const QFont& font, qreal width, int maxLines);
// Whether `text` needs more than `maxLines` lines at `width`.
bool isClamped(const QString& text, const QFont& font, qreal width, int maxLines);
// Draws `text` from the top of `rect`, at most `maxLines` lines and never more than the
// rectangle holds; returns the height used.
qreal paint(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
            const QColor& color, int maxLines, Qt::Alignment alignment = Qt::AlignLeft,
            qreal pitch = 0);

} // namespace ClampedText
