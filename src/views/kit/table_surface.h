#pragma once

#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QWidget>

class QPainter;

// The table cloth: gradient, fine weave and two gold frames, clipped to a rounded rectangle.
namespace TableSurface {
constexpr qreal cornerRadius = 26.0;
constexpr qreal weaveStep = 12.0;

void paint(QPainter& painter, const QRectF& rect, const QString& theme);
// The weave alone (white vertical and black horizontal hairlines every 12 points), so that
// its geometry can be looked at without the cloth beneath.
void paintWeave(QPainter& painter, const QRectF& rect);
} // namespace TableSurface

// A widget whose background is the table cloth; children are laid out on top of it.
class TableSurfaceWidget : public QWidget {
    Q_OBJECT
public:
    explicit TableSurfaceWidget(QWidget* parent = nullptr);
    void setTheme(const QString& theme);
    const QString& theme() const { return m_theme; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_theme = QStringLiteral("Esmeralda");
    QPixmap m_cloth;
    QString m_clothTheme;
};
