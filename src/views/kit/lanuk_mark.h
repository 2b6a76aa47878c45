#pragma once

#include <QColor>
#include <QList>
#include <QWidget>
#include <optional>

class QPainter;

// The mascot in a square of `size` points, clipped to corners of radius 0.23 × size; a drawn
// moon and stars stands in when the picture is missing.
class QHBoxLayout;

class LanukMark : public QWidget {
    Q_OBJECT
public:
    explicit LanukMark(int size = 54, QWidget* parent = nullptr);
    int markSize() const { return m_size; }
    static qreal cornerRadius(qreal size) { return 0.23 * size; }
    // The header of a page: the mark, `spacing` points from a column of title lines centred
    // beside it.
    static QHBoxLayout* header(int size, int spacing, QWidget* parent,
                               const QList<QWidget*>& lines);

    // Draws the mark in the largest square centred in `rect`. `symbolColor` colours the
    // stand-in drawing used when the mascot picture is missing.
    static void paint(QPainter& painter, const QRectF& rect);
    static void paint(QPainter& painter, const QRectF& rect, const QColor& symbolColor);
    // The same with the picture given explicitly (none draws the stand-in).
    static void paint(QPainter& painter, const QRectF& rect, const QColor& symbolColor,
                      const std::optional<QString>& picturePath);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_size;
};
