#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>

class QScrollArea;

class QAbstractScrollArea;
class QPainter;

// Plain-text helpers of the reading table: texts limited to a number of lines with an
// ellipsis, and a hairline divider. Every text here is laid out as plain text; nothing is
// ever interpreted as markup.
namespace TableText {

// Height of `text` wrapped at `width` and cut to `maxLines` lines (0 means no limit).
qreal clampedHeight(const QString& text, const QFont& font, qreal width, int maxLines,
                    qreal extraLineSpacing = 0.0);
// Draws `text` from the top of `rect`, wrapped at its width, with at most `maxLines` lines;
// the last line ends in an ellipsis when the text does not fit. Returns the height used.
qreal paintClamped(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                   const QColor& color, int maxLines, Qt::Alignment alignment,
                   qreal extraLineSpacing = 0.0);
// Whether `text` needs more than `maxLines` lines at `width`.
bool isClamped(const QString& text, const QFont& font, qreal width, int maxLines);

// Gives a label the secondary text shade of the palette; refreshShades(root) renews every
// such label under `root` when the palette changes (light and dark desktops).
void useSecondary(QWidget* widget);
void refreshShades(QWidget* root);
// A thin, quiet vertical scroll bar for a scroll area, in a faint shade of the text colour
// (renewed by refreshShades).
void useSlimScrollBar(QAbstractScrollArea* area);
// A frameless, see-through vertical scroll area with the slim scroll bar.
QScrollArea* transparentScrollArea(const QString& objectName, QWidget* parent);
// Sets the colour of a widget's text.
void setTextColor(QWidget* widget, const QColor& color);

} // namespace TableText

// A label that wraps its plain text and shows at most `maxLines` lines, ending the last one
// with an ellipsis. text() keeps the whole text (and so does the accessible name).
class ClampedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClampedLabel(int maxLines, QWidget* parent = nullptr);

    int maxLines() const { return m_maxLines; }
    void setMaxLines(int lines);
    void setExtraLineSpacing(qreal spacing);
    // Whether the text is cut short at the current width.
    bool isElided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_maxLines;
    qreal m_extraLineSpacing = 0.0;
};

// A one-pixel line across the available width in a faint shade of the text colour.
class TableDivider : public QWidget {
    Q_OBJECT
public:
    explicit TableDivider(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {1, 1}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The content of a vertically scrolling page. Its height comes from height-for-width at the
// page's real width, never from the taller minimum its wrapped texts would need when narrow.
class TableScrollPage : public QWidget {
    Q_OBJECT
public:
    explicit TableScrollPage(QWidget* parent = nullptr) : QWidget(parent) {}
    QSize minimumSizeHint() const override { return {QWidget::minimumSizeHint().width(), 0}; }
};
