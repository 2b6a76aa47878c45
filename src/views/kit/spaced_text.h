#pragma once

#include <QColor>
#include <QFont>
#include <QTextEdit>

// A paragraph text with extra space between its lines, optionally selectable by mouse and
// keyboard. It grows to the height of its text at the width it is given and never scrolls
// (wheel events go to the page around it). The text is always set as plain text.
class SpacedText : public QTextEdit {
    Q_OBJECT
public:
    explicit SpacedText(QWidget* parent = nullptr);
    explicit SpacedText(const QString& text, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setTextFont(const QFont& font);
    // Colour of the text; an invalid colour follows the palette's text colour.
    void setTextColor(const QColor& color) { rebuildWith(m_color, color); }
    void setSecondary(bool secondary) { rebuildWith(m_secondary, secondary); }
    bool isSecondary() const { return m_secondary; }
    void setLineSpacing(qreal spacing) { rebuildWith(m_lineSpacing, spacing); }
    qreal lineSpacing() const { return m_lineSpacing; }
    void setAlignment(Qt::Alignment alignment) { rebuildWith(m_alignment, alignment); }
    void setSelectable(bool selectable);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void rebuild();
    template <class T> void rebuildWith(T& property, const T& value)
    {
        property = value;
        rebuild();
    }

    QString m_text;
    QFont m_font;
    QColor m_color;
    bool m_secondary = false;
    qreal m_lineSpacing = 0.0;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    mutable int m_cachedWidth = -1;
    mutable int m_cachedHeight = 0;
};
