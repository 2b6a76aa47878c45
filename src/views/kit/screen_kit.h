#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPushButton>

// Small widgets shared by the history, the guide, the preferences and the sources page.
// Every text here is set as plain text; nothing is interpreted as markup.

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
