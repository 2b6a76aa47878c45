#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

// Small widgets shared by the history, the guide, the preferences and the sources page.
// Every text here is set as plain text; nothing is interpreted as markup.

// A selectable paragraph with extra space between its lines. It grows to the height of its
// text at the width it is given and never scrolls (wheel events go to the page around it).
class ScreenParagraph : public QTextEdit {
    Q_OBJECT
public:
    explicit ScreenParagraph(const QString& text = {}, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setTextFont(const QFont& font);
    void setSecondary(bool secondary);
    bool isSecondary() const { return m_secondary; }
    void setLineSpacing(qreal spacing);
    qreal lineSpacing() const { return m_lineSpacing; }

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

    QString m_text;
    QFont m_font;
    bool m_secondary = false;
    qreal m_lineSpacing = 0.0;
    bool m_rebuilding = false;
    mutable int m_cachedWidth = -1;
    mutable int m_cachedHeight = 0;
};

// A hairline across the available width (or height, when vertical) in a faint text shade.
class ScreenDivider : public QWidget {
    Q_OBJECT
public:
    explicit ScreenDivider(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {1, 1}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
};

// The prominent button: filled with the accent colour, white label, rounded corners.
class ProminentButton : public QPushButton {
    Q_OBJECT
public:
    explicit ProminentButton(const QString& text, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

// An on/off switch: a pill with a round knob, filled with the accent colour when on.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToggleSwitch(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {38, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

namespace ScreenKit {

// A plain-text label in `font`, selectable by mouse and keyboard when asked.
QLabel* label(const QString& text, const QFont& font, bool secondary = false,
              bool selectable = false, QWidget* parent = nullptr);
// Gives `widget` the secondary text colour of the application palette.
void makeSecondary(QWidget* widget);
// The fill of a "material" panel: a translucent sheet a little lighter than the window, on
// light and dark palettes alike.
QColor materialFill(const QPalette& palette);
// Its hairline edge.
QColor materialEdge(const QPalette& palette);

} // namespace ScreenKit
