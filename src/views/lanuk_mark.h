#pragma once

#include <QWidget>

class QPainter;

// The mascot in a square of `size` points, clipped to corners of radius 0.23 × size; a drawn
// moon and stars stands in when the picture is missing.
class LanukMark : public QWidget {
    Q_OBJECT
public:
    explicit LanukMark(int size = 54, QWidget* parent = nullptr);
    int markSize() const { return m_size; }
    static void paint(QPainter& painter, const QRectF& rect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_size;
};
