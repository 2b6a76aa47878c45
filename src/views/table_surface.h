#pragma once

#include <QRectF>
#include <QString>
#include <QWidget>

class QPainter;

// The table cloth: gradient, fine weave and two gold frames, clipped to a rounded rectangle.
namespace TableSurface {
void paint(QPainter& painter, const QRectF& rect, const QString& theme);
}

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
};
