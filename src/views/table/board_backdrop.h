#pragma once

#include <QPixmap>
#include <QString>

class QPainter;
class QRect;
class QSize;

// The cloth of a board with its faint star, rendered once per size, theme and density.
class BoardBackdrop {
public:
    // Paints the part `dirty` of a board of `size` in `theme`.
    void paint(QPainter& target, const QRect& dirty, const QSize& size, const QString& theme);

private:
    QPixmap m_pixmap;
    QString m_key;
};
