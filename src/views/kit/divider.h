#pragma once

#include <QWidget>

// A hairline across the available width (or height, when vertical) in a faint text shade.
class Divider : public QWidget {
    Q_OBJECT
public:
    explicit Divider(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);
    explicit Divider(QWidget* parent) : Divider(Qt::Horizontal, parent) {}
    QSize sizeHint() const override { return {1, 1}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
