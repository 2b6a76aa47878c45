#pragma once

#include "views/kit/layouts.h"

#include <QColor>
#include <QPushButton>

class QPainter;

// The buttons of every screen, drawn by us so they look the same on every desktop style: a
// "prominent" button filled with the accent colour, a "bordered" one with a faint fill and
// hairline border, optionally tinted (the gold cut buttons on the cloth), and a "plain" one,
// a symbol in the secondary shade that shows a fill only under the pointer. The optional
// symbol sits before the text, or above it in a stacked button. The focus ring shows only
// while the keyboard is in use, and Return presses the focused button as Space does.
class ActionButton : public QPushButton {
    Q_OBJECT
public:
    enum class Kind { prominent, bordered, plain };

    ActionButton(const QString& text, Kind kind, QWidget* parent = nullptr);

    // The bordered look, for a button painted inside a list row as well as for the widget:
    // a faint fill of `base` that deepens under the pointer and while pressed, a hairline
    // border. A tint is stronger than the text colour.
    static void paintBordered(QPainter& painter, const QRectF& frame, const QColor& base,
                              bool tinted, bool hovered, bool pressed);

    Kind kind() const { return m_kind; }
    void setSymbol(const QString& symbol);
    const QString& symbol() const { return m_symbol; }
    // Colour of a bordered button's text, border and fill; invalid means the text colour.
    void setTint(const QColor& tint);
    // Symbol above the text, 6 points apart.
    void setStacked(bool stacked) { Layouts::assignSized(this, m_stacked, stacked); }
    // Extra space above and below the label, inside the button.
    void setExtraVerticalPadding(int padding)
    {
        Layouts::assignSized(this, m_extraPadding, padding);
    }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor labelColor() const;
    int symbolSize() const;

    Kind m_kind;
    QString m_symbol;
    QColor m_tint;
    bool m_stacked = false;
    int m_extraPadding = 0;
};
