#include "views/kit/icons.h"

#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPalette>
#include <QtMath>
#include <functional>

// Every symbol is drawn on a 24 × 24 grid as one filled outline: strokes are turned into
// shapes and united, so a translucent colour never darkens where two lines meet.
namespace {

constexpr qreal grid = 24.0;
constexpr qreal baseLine = 1.7;

struct Builder {
    qreal line;
    QPainterPath shape;

    QPainterPath outline(const QPainterPath& path, qreal width = -1) const
    {
        QPainterPathStroker stroker;
        stroker.setWidth(width > 0 ? width : line);
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        return stroker.createStroke(path);
    }
    void stroke(const QPainterPath& path) { add(outline(path)); }
    void fill(const QPainterPath& path) { add(path); }
    // Filled and outlined, so that a solid symbol is as large as its outline.
    void solid(const QPainterPath& path)
    {
        fill(path);
        stroke(path);
    }
    void add(const QPainterPath& path)
    {
        QPainterPath filled = path;
        filled.setFillRule(Qt::WindingFill);
        shape = shape.isEmpty() ? filled.simplified() : shape.united(filled);
    }
    // Removes `path` widened by a gap, so a shape in front reads as lying above another.
    void cut(const QPainterPath& path, qreal gap)
    {
        QPainterPath hole = path;
        hole.setFillRule(Qt::WindingFill);
        hole = hole.united(outline(path, gap * 2));
        shape = shape.subtracted(hole);
    }
};

QPainterPath line(QPointF a, QPointF b)
{
    QPainterPath path(a);
    path.lineTo(b);
    return path;
}

QPainterPath polyline(std::initializer_list<QPointF> points, bool closed = false)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& p : points) {
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    if (closed)
        path.closeSubpath();
    return path;
}

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath roundedRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath rotated(const QPainterPath& path, QPointF centre, qreal degrees)
{
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    transform.rotate(degrees);
    transform.translate(-centre.x(), -centre.y());
    return transform.map(path);
}

// A five-pointed star, point upwards.
QPainterPath star(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = qDegreesToRadians(-90.0 + 36.0 * i);
        const QPointF p(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// A four-pointed sparkle with concave sides, like "✦".
QPainterPath sparkle(QPointF c, qreal r)
{
    const qreal k = r * 0.16;
    QPainterPath path(QPointF(c.x(), c.y() - r));
    path.quadTo(QPointF(c.x() + k, c.y() - k), QPointF(c.x() + r, c.y()));
    path.quadTo(QPointF(c.x() + k, c.y() + k), QPointF(c.x(), c.y() + r));
    path.quadTo(QPointF(c.x() - k, c.y() + k), QPointF(c.x() - r, c.y()));
    path.quadTo(QPointF(c.x() - k, c.y() - k), QPointF(c.x(), c.y() - r));
    path.closeSubpath();
    return path;
}

// A ribbon with a notch at its foot.
QPainterPath bookmark()
{
    return polyline({QPointF(6.5, 3.5), QPointF(17.5, 3.5), QPointF(17.5, 20.5), QPointF(12, 16.4),
                     QPointF(6.5, 20.5)},
                    true);
}

QPainterPath crescent()
{
    QPainterPath moon = circle(QPointF(10.5, 13.5), 8.2);
    return moon.subtracted(circle(QPointF(15.6, 8.6), 6.9));
}

QPainterPath gear()
{
    QPainterPath path;
    const QPointF c(12, 12);
    const qreal outer = 10.0;
    const qreal inner = 7.7;
    auto at = [&](qreal radius, qreal degrees) {
        const qreal a = qDegreesToRadians(degrees);
        return QPointF(c.x() + radius * qCos(a), c.y() + radius * qSin(a));
    };
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * 45.0;
        const QPointF p1 = at(inner, a - 15), p2 = at(outer, a - 8.5), p3 = at(outer, a + 8.5),
                      p4 = at(inner, a + 15);
        if (i == 0)
            path.moveTo(p1);
        else
            path.lineTo(p1);
        path.lineTo(p2);
        path.lineTo(p3);
        path.lineTo(p4);
    }
    path.closeSubpath();
    return path;
}

using Drawing = std::function<void(Builder&)>;

// The crescent with two stars, outlined or filled.
Drawing moonStars(bool filled)
{
    return [filled](Builder& b) {
        if (filled)
            b.fill(crescent());
        else
            b.stroke(crescent());
        b.fill(sparkle(QPointF(17.6, 4.6), 3.0));
        b.fill(sparkle(QPointF(20.4, 11.4), 2.0));
    };
}

const QHash<QString, Drawing>& drawings()
{
    static const QHash<QString, Drawing> table = {
        {QStringLiteral("rectangle.on.rectangle.angled"),
         [](Builder& b) {
             const QPainterPath back =
                 rotated(roundedRect(QRectF(4.0, 4.5, 10.0, 13.5), 2.0), QPointF(9, 11.25), -13);
             const QPainterPath front =
                 rotated(roundedRect(QRectF(10.0, 6.5, 10.0, 13.5), 2.0), QPointF(15, 13.25), 7);
             b.stroke(back);
             b.cut(front, b.line * 0.5 + 1.0);
             b.stroke(front);
         }},
        {QStringLiteral("clock"),
         [](Builder& b) {
             b.stroke(circle(QPointF(12, 12), 9.2));
             b.stroke(polyline({QPointF(12, 6.6), QPointF(12, 12), QPointF(15.8, 14.2)}));
         }},
        {QStringLiteral("book.closed"),
         [](Builder& b) {
             b.stroke(roundedRect(QRectF(5.0, 3.0, 14.0, 18.0), 2.2));
             b.stroke(line(QPointF(9.0, 3.0), QPointF(9.0, 21.0)));
             b.stroke(polyline({QPointF(12.5, 3.0), QPointF(12.5, 9.0), QPointF(14.25, 7.6),
                                QPointF(16.0, 9.0), QPointF(16.0, 3.0)}));
         }},
        {QStringLiteral("sparkles"),
         [](Builder& b) {
             b.stroke(sparkle(QPointF(9.5, 14.0), 7.6));
             b.fill(sparkle(QPointF(18.2, 6.0), 3.9));
             b.fill(sparkle(QPointF(18.6, 17.6), 2.4));
         }},
        {QStringLiteral("chart.bar"),
         [](Builder& b) {
             // Three columns of different heights on a baseline, a sparkle over the tallest.
             b.stroke(line(QPointF(3.5, 20.5), QPointF(20.5, 20.5)));
             b.stroke(roundedRect(QRectF(5.2, 12.5, 3.4, 5.5), 1.2));
             b.stroke(roundedRect(QRectF(10.3, 7.5, 3.4, 10.5), 1.2));
             b.stroke(roundedRect(QRectF(15.4, 10.5, 3.4, 7.5), 1.2));
             b.fill(sparkle(QPointF(18.0, 4.2), 2.6));
         }},
        {QStringLiteral("gearshape"),
         [](Builder& b) {
             b.stroke(gear());
             b.stroke(circle(QPointF(12, 12), 3.2));
         }},
        {QStringLiteral("plus"),
         [](Builder& b) {
             b.stroke(line(QPointF(12, 4.5), QPointF(12, 19.5)));
             b.stroke(line(QPointF(4.5, 12), QPointF(19.5, 12)));
         }},
        {QStringLiteral("moon.stars"), moonStars(false)},
        {QStringLiteral("moon.stars.fill"), moonStars(true)},
        {QStringLiteral("shuffle"),
         [](Builder& b) {
             QPainterPath down(QPointF(3, 7));
             down.lineTo(6.5, 7);
             down.cubicTo(11, 7, 12.5, 17, 17, 17);
             down.lineTo(20.5, 17);
             QPainterPath up(QPointF(3, 17));
             up.lineTo(6.5, 17);
             up.cubicTo(11, 17, 12.5, 7, 17, 7);
             up.lineTo(20.5, 7);
             b.stroke(up);
             b.stroke(polyline({QPointF(17.8, 4.3), QPointF(20.5, 7), QPointF(17.8, 9.7)}));
             b.cut(b.outline(down), 1.0);
             b.stroke(down);
             b.stroke(polyline({QPointF(17.8, 14.3), QPointF(20.5, 17), QPointF(17.8, 19.7)}));
         }},
        {QStringLiteral("rectangle.split.2x1"),
         [](Builder& b) {
             b.stroke(roundedRect(QRectF(3.0, 5.5, 18.0, 13.0), 2.6));
             b.stroke(line(QPointF(12, 5.5), QPointF(12, 18.5)));
         }},
        {QStringLiteral("bookmark"), [](Builder& b) { b.stroke(bookmark()); }},
        {QStringLiteral("bookmark.fill"), [](Builder& b) { b.solid(bookmark()); }},
        {QStringLiteral("square.and.arrow.up"),
         [](Builder& b) {
             b.stroke(polyline({QPointF(9.0, 9.0), QPointF(6.0, 9.0), QPointF(6.0, 21.0),
                                QPointF(18.0, 21.0), QPointF(18.0, 9.0), QPointF(15.0, 9.0)}));
             b.stroke(line(QPointF(12, 2.8), QPointF(12, 14.5)));
             b.stroke(polyline({QPointF(8.6, 6.2), QPointF(12, 2.8), QPointF(15.4, 6.2)}));
         }},
        {QStringLiteral("star"), [](Builder& b) { b.stroke(star(QPointF(12, 12.8), 9.6, 4.2)); }},
        {QStringLiteral("star.fill"),
         [](Builder& b) { b.solid(star(QPointF(12, 12.8), 9.6, 4.2)); }},
        {QStringLiteral("trash"),
         [](Builder& b) {
             b.stroke(line(QPointF(3.8, 6.3), QPointF(20.2, 6.3)));
             b.stroke(polyline(
                 {QPointF(9.2, 6.3), QPointF(9.2, 3.6), QPointF(14.8, 3.6), QPointF(14.8, 6.3)}));
             b.stroke(polyline(
                 {QPointF(5.9, 6.3), QPointF(7.0, 20.6), QPointF(17.0, 20.6), QPointF(18.1, 6.3)}));
             b.stroke(line(QPointF(10.2, 10.2), QPointF(10.2, 16.8)));
             b.stroke(line(QPointF(13.8, 10.2), QPointF(13.8, 16.8)));
         }},
        {QStringLiteral("pencil"),
         [](Builder& b) {
             b.stroke(polyline({QPointF(4.2, 19.8), QPointF(5.3, 15.3), QPointF(15.6, 5.0),
                                QPointF(19.0, 8.4), QPointF(8.7, 18.7)},
                               true));
             b.stroke(line(QPointF(13.4, 7.2), QPointF(16.8, 10.6)));
         }},
        {QStringLiteral("magnifyingglass"),
         [](Builder& b) {
             b.stroke(circle(QPointF(10.3, 10.3), 6.4));
             b.stroke(line(QPointF(15.0, 15.0), QPointF(20.2, 20.2)));
         }},
        {QStringLiteral("arrow.up.right"),
         [](Builder& b) {
             b.stroke(line(QPointF(6.5, 17.5), QPointF(17.5, 6.5)));
             b.stroke(polyline({QPointF(8.8, 6.5), QPointF(17.5, 6.5), QPointF(17.5, 15.2)}));
         }},
        {QStringLiteral("checkmark"),
         [](Builder& b) {
             b.stroke(polyline({QPointF(4.8, 12.6), QPointF(9.8, 17.6), QPointF(19.4, 6.8)}));
         }},
        {QStringLiteral("xmark"),
         [](Builder& b) {
             b.stroke(line(QPointF(6, 6), QPointF(18, 18)));
             b.stroke(line(QPointF(18, 6), QPointF(6, 18)));
         }},
        {QStringLiteral("sparkle"), [](Builder& b) { b.fill(sparkle(QPointF(12, 12), 10)); }},
        {QStringLiteral("exclamationmark.triangle"),
         [](Builder& b) {
             b.stroke(polyline({QPointF(12, 3.2), QPointF(21.2, 19.8), QPointF(2.8, 19.8)}, true));
             b.stroke(line(QPointF(12, 9.0), QPointF(12, 13.8)));
             b.fill(circle(QPointF(12, 16.9), b.line * 0.62));
         }},
    };
    return table;
}

QRectF square(const QRectF& rect)
{
    const qreal side = qMin(rect.width(), rect.height());
    return QRectF(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
}

enum class Tint { fixed, palette };

class SymbolEngine : public QIconEngine {
public:
    SymbolEngine(QString symbol, QColor color, Tint tint)
        : m_symbol(std::move(symbol)), m_color(color), m_tint(tint)
    {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        Icons::paint(*painter, QRectF(rect), m_symbol, colorFor(mode));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new SymbolEngine(m_symbol, m_color, m_tint); }
    QString key() const override { return QStringLiteral("arcandel-symbol"); }
    QString iconName() override { return m_symbol; }
    bool isNull() override { return !Icons::has(m_symbol); }

private:
    QColor colorFor(QIcon::Mode mode) const
    {
        if (m_tint == Tint::fixed) {
            QColor color = m_color;
            if (mode == QIcon::Disabled)
                color.setAlphaF(color.alphaF() * 0.35f);
            return color;
        }
        const QPalette palette = QGuiApplication::palette();
        switch (mode) {
        case QIcon::Disabled:
            return palette.color(QPalette::Disabled, QPalette::WindowText);
        case QIcon::Selected:
            return palette.color(QPalette::HighlightedText);
        default:
            return palette.color(QPalette::WindowText);
        }
    }

    QString m_symbol;
    QColor m_color;
    Tint m_tint;
};

} // namespace

namespace Icons {

bool has(const QString& symbol)
{
    return drawings().contains(symbol);
}

QStringList symbols()
{
    QStringList names = drawings().keys();
    names.sort();
    return names;
}

void paint(QPainter& painter, const QRectF& rect, const QString& symbol, const QColor& color,
           qreal weight)
{
    const auto found = drawings().constFind(symbol);
    if (found == drawings().constEnd() || rect.isEmpty())
        return;
    Builder builder{baseLine * weight, {}};
    (*found)(builder);

    const QRectF box = square(rect);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(box.topLeft());
    painter.scale(box.width() / grid, box.height() / grid);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(builder.shape);
    painter.restore();
}

QIcon icon(const QString& symbol, const QColor& color)
{
    return QIcon(new SymbolEngine(symbol, color, Tint::fixed));
}

QIcon icon(const QString& symbol)
{
    return QIcon(new SymbolEngine(symbol, QColor(), Tint::palette));
}

} // namespace Icons
