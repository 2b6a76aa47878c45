#pragma once

#include <QWidget>

// A rounded panel of the translucent material, `radius` points at the corners, drawn over
// its whole rectangle; its children lie on it.
class MaterialPanel : public QWidget {
    Q_OBJECT
public:
    explicit MaterialPanel(qreal radius, QWidget* parent = nullptr)
        : QWidget(parent), m_radius(radius)
    {}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_radius;
};
