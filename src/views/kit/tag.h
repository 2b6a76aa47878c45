#pragma once

#include <QPalette>
#include <QRectF>
#include <QString>
#include <QWidget>

class QPainter;

// A small rounded tag that marks something beside its title, such as "Mi baraja": the
// accent colour on a faint accent fill, legible on light and dark palettes.
namespace Tag {

QFont font();
// The size of the tag of `text`.
QSizeF size(const QString& text);
// Draws the tag of `text` filling `rect`.
void paint(QPainter& painter, const QRectF& rect, const QString& text, const QPalette& palette);

} // namespace Tag

// The tag as a widget. Its text is its accessible name.
class TagLabel : public QWidget {
    Q_OBJECT
public:
    explicit TagLabel(const QString& text, QWidget* parent = nullptr);
    const QString& text() const { return m_text; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
