#include "views/patterns/patterns_charts.h"

#include "views/kit/typography.h"
#include "views/patterns/patterns_text.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QHash>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {

constexpr qreal barThickness = 8;
constexpr qreal barGap = 3;
constexpr qreal rowGap = 12;
constexpr qreal legendGap = 10;
constexpr qreal valueGap = 10;
constexpr qreal labelGap = 12;
constexpr qreal plotHeight = 150;
constexpr qreal axisGap = 6;
// Room above and below for the ring around the current bar (sideways the text lines up
// with the panel's).
constexpr qreal inset = 4;

// What chance would give: the text colour, quiet but still visible on light and dark.
QColor chanceColor(const QPalette& palette)
{
    return Typography::withAlpha(palette.color(QPalette::WindowText), 0.28);
}

QColor trackColor(const QPalette& palette)
{
    return Typography::withAlpha(palette.color(QPalette::WindowText), 0.06);
}

QFont captionFont()
{
    return Typography::font(Typography::Style::caption);
}

// One bar of a chart, as a screen reader sees it: a named piece of the chart's area.
class BarAccessible : public QAccessibleInterface {
public:
    BarAccessible(PatternsChart* chart, int index) : m_chart(chart), m_index(index) {}

    bool isValid() const override { return m_chart && m_index < m_chart->bars().size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_chart ? QAccessible::queryAccessibleInterface(m_chart.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        return m_chart->bars().at(m_index).name;
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_chart->bars().at(m_index).rect.toAlignedRect();
        return QRect(m_chart->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        state.focusable = true;
        if (!isValid()) {
            state.invisible = true;
            return state;
        }
        state.invisible = !m_chart->isVisible();
        state.focused = m_chart->hasFocus() && m_chart->currentBar() == m_index;
        return state;
    }

private:
    QPointer<PatternsChart> m_chart;
    int m_index;
};

// The chart itself: its bars are its children, made when first asked for.
class ChartAccessible : public QAccessibleWidget {
public:
    explicit ChartAccessible(PatternsChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}
    ~ChartAccessible() override { forgetBars(); }

    PatternsChart* chart() const { return static_cast<PatternsChart*>(widget()); }

    int childCount() const override { return int(chart()->bars().size()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto found = m_ids.constFind(index); found != m_ids.constEnd())
            return QAccessible::accessibleInterface(*found);
        auto* bar = new BarAccessible(chart(), index);
        m_ids.insert(index, QAccessible::registerAccessibleInterface(bar));
        return bar;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (auto it = m_ids.constBegin(); it != m_ids.constEnd(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPointF local = chart()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i)
            if (chart()->bars().at(i).rect.contains(local))
                return child(i);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        return chart()->hasFocus() ? child(chart()->currentBar()) : nullptr;
    }

    // The bars changed: the children made for the old ones go.
    void forgetBars()
    {
        for (const QAccessible::Id id : std::as_const(m_ids))
            QAccessible::deleteAccessibleInterface(id);
        m_ids.clear();
    }

private:
    mutable QHash<int, QAccessible::Id> m_ids;
};

QAccessibleInterface* chartFactory(const QString&, QObject* object)
{
    if (auto* chart = qobject_cast<PatternsChart*>(object))
        return new ChartAccessible(chart);
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------------------------------

PatternsChart::PatternsChart(QWidget* parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(chartFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PatternsChart::setBars(const QList<Bar>& bars)
{
    const bool sameBars = bars.size() == m_bars.size() &&
                          std::equal(bars.begin(), bars.end(), m_bars.begin(),
                                     [](const Bar& a, const Bar& b) { return a.name == b.name; });
    m_bars = bars;
    if (m_current >= m_bars.size())
        m_current = m_bars.isEmpty() ? -1 : int(m_bars.size()) - 1;
    QStringList names;
    for (const Bar& bar : m_bars)
        names << bar.name;
    const QString description = names.join(QStringLiteral(". "));
    if (description != accessibleDescription())
        setAccessibleDescription(description);
    if (!sameBars && QAccessible::isActive()) {
        if (auto* chart =
                dynamic_cast<ChartAccessible*>(QAccessible::queryAccessibleInterface(this)))
            chart->forgetBars();
        QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reorder);
    }
    update();
}

void PatternsChart::setCurrentBar(int index)
{
    index = m_bars.isEmpty() ? -1 : std::clamp(index, 0, int(m_bars.size()) - 1);
    if (index == m_current)
        return;
    m_current = index;
    update();
    if (index >= 0 && hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(index);
        QAccessible::updateAccessibility(&focus);
    }
}

void PatternsChart::paintFocus(QPainter& painter)
{
    if (!hasFocus() || m_current < 0 || m_current >= m_bars.size())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Typography::accent(), 1.5));
    const QRectF& bar = m_bars.at(m_current).rect;
    // A column of no height still shows where the keyboard is.
    painter.drawRoundedRect(bar.adjusted(-3, bar.height() > 0 ? -3 : -6, 3, 3), 4, 4);
    painter.restore();
}

bool PatternsChart::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        for (const Bar& bar : std::as_const(m_bars)) {
            // The whole row or column of a bar answers, not only its painted part.
            if (bar.rect.adjusted(-4, -200, 4, 200).contains(help->pos())) {
                QToolTip::showText(help->globalPos(), bar.name, this);
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

void PatternsChart::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        setCurrentBar(m_current - 1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        setCurrentBar(m_current + 1);
        break;
    case Qt::Key_Home:
        setCurrentBar(0);
        break;
    case Qt::Key_End:
        setCurrentBar(int(m_bars.size()) - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PatternsChart::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (m_current < 0)
        setCurrentBar(0);
    update();
}

void PatternsChart::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void PatternsChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutBars();
}

// ---------------------------------------------------------------------------------------

ShareChart::ShareChart(QWidget* parent) : PatternsChart(parent) {}

void ShareChart::setRows(const QList<Row>& rows)
{
    m_rows = rows;
    m_scale = 0;
    const QFontMetricsF body(Typography::font(Typography::Style::body));
    const QFontMetricsF caption(captionFont());
    m_labelWidth = 0;
    m_valueWidth = 0;
    for (const Row& row : m_rows) {
        m_scale = std::max({m_scale, row.value, row.chance.value_or(0.0)});
        m_labelWidth = std::max(m_labelWidth, body.horizontalAdvance(row.label));
        m_valueWidth = std::max({m_valueWidth, body.horizontalAdvance(row.valueText),
                                 caption.horizontalAdvance(row.chanceText)});
    }
    if (m_scale <= 0)
        m_scale = 1;
    updateGeometry();
    layOutBars();
}

bool ShareChart::paired() const
{
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [](const Row& row) { return row.chance.has_value(); });
}

qreal ShareChart::rowHeight() const
{
    const qreal text = QFontMetricsF(Typography::font(Typography::Style::body)).height();
    return std::max(text, paired() ? 2 * barThickness + barGap : barThickness);
}

qreal ShareChart::legendHeight() const
{
    return paired() ? QFontMetricsF(captionFont()).height() + legendGap : 0;
}

QSize ShareChart::sizeHint() const
{
    const qreal height = legendHeight() + m_rows.size() * rowHeight() +
                         std::max<qsizetype>(0, m_rows.size() - 1) * rowGap;
    return {int(std::ceil(m_labelWidth + m_valueWidth + 160)), int(std::ceil(height + 2 * inset))};
}

QSize ShareChart::minimumSizeHint() const
{
    return {int(std::ceil(m_labelWidth + m_valueWidth + 80)), sizeHint().height()};
}

qreal ShareChart::trackLeft() const
{
    return std::min(m_labelWidth + labelGap, width() * 0.45);
}

qreal ShareChart::trackRight() const
{
    return width() - m_valueWidth - valueGap;
}

void ShareChart::layOutBars()
{
    const qreal left = trackLeft();
    const qreal track = std::max<qreal>(1, trackRight() - left);
    QList<Bar> bars;
    qreal y = inset + legendHeight();
    const qreal pitch = rowHeight() + rowGap;
    for (const Row& row : std::as_const(m_rows)) {
        const qreal top =
            y + (rowHeight() - (row.chance ? 2 * barThickness + barGap : barThickness)) / 2;
        bars.append({row.name, QRectF(left, top, std::max<qreal>(0, track * row.value / m_scale),
                                      barThickness)});
        y += pitch;
    }
    setBars(bars);
}

void ShareChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPalette& pal = palette();
    const QColor text = pal.color(QPalette::WindowText);
    const QColor secondary = Typography::secondary(pal);
    const QFont body = Typography::font(Typography::Style::body);
    const QFont caption = captionFont();
    const qreal left = trackLeft();
    const qreal right = trackRight();
    const qreal track = std::max<qreal>(1, right - left);

    if (paired()) {
        // The legend: which bar is yours and which is chance.
        painter.setFont(caption);
        const QFontMetricsF metrics(caption);
        qreal x = left;
        const qreal middle = inset + metrics.height() / 2;
        const auto key = [&](const QColor& color, const QString& words) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(color);
            painter.drawRoundedRect(QRectF(x, middle - 4, 14, 8), 4, 4);
            x += 20;
            painter.setPen(secondary);
            painter.drawText(QPointF(x, inset + metrics.ascent()), words);
            x += metrics.horizontalAdvance(words) + 18;
        };
        key(Typography::accent(), QStringLiteral("Tus cartas"));
        key(chanceColor(pal), QStringLiteral("Por azar"));
    }

    qreal y = inset + legendHeight();
    const qreal pitch = rowHeight() + rowGap;
    for (int i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows.at(i);
        const QRectF line(0, y, width(), rowHeight());
        painter.setFont(body);
        painter.setPen(text);
        painter.drawText(
            QRectF(0, y, left - labelGap, rowHeight()),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
            QFontMetricsF(body).elidedText(row.label, Qt::ElideRight, left - labelGap));
        const QRectF& bar = bars().at(i).rect;
        painter.setPen(Qt::NoPen);
        painter.setBrush(trackColor(pal));
        painter.drawRoundedRect(QRectF(left, bar.top(), track, barThickness), 4, 4);
        painter.setBrush(Typography::accent());
        if (bar.width() > 0)
            painter.drawRoundedRect(
                QRectF(bar.left(), bar.top(), std::max<qreal>(bar.width(), 4), barThickness), 4, 4);
        const qreal valueLeft = right + valueGap;
        if (row.chance) {
            const QRectF chanceTrack(left, bar.bottom() + barGap, track, barThickness);
            painter.setBrush(trackColor(pal));
            painter.drawRoundedRect(chanceTrack, 4, 4);
            painter.setBrush(chanceColor(pal));
            painter.drawRoundedRect(QRectF(left, chanceTrack.top(),
                                           std::max<qreal>(4, track * *row.chance / m_scale),
                                           barThickness),
                                    4, 4);
            painter.setFont(Typography::font(Typography::Style::callout));
            painter.setPen(text);
            painter.drawText(QRectF(valueLeft, bar.top() - 4, m_valueWidth, barThickness + 8),
                             Qt::AlignRight | Qt::AlignVCenter, row.valueText);
            painter.setFont(caption);
            painter.setPen(secondary);
            painter.drawText(
                QRectF(valueLeft, chanceTrack.top() - 4, m_valueWidth, barThickness + 8),
                Qt::AlignRight | Qt::AlignVCenter, row.chanceText);
        } else {
            painter.setFont(body);
            painter.setPen(text);
            painter.drawText(QRectF(valueLeft, line.top(), m_valueWidth, line.height()),
                             Qt::AlignRight | Qt::AlignVCenter, row.valueText);
        }
        y += pitch;
    }
    paintFocus(painter);
}

// ---------------------------------------------------------------------------------------

RhythmChart::RhythmChart(QWidget* parent) : PatternsChart(parent) {}

void RhythmChart::setRhythm(const QList<RhythmBar>& bars, RhythmUnit unit)
{
    m_rhythm = bars;
    m_unit = unit;
    m_highest = 0;
    for (const RhythmBar& bar : bars)
        m_highest = std::max(m_highest, bar.readings);
    layOutBars();
}

QSize RhythmChart::sizeHint() const
{
    const qreal caption = QFontMetricsF(captionFont()).height();
    return {480, int(std::ceil(10 + caption + plotHeight + axisGap + 2 * caption + inset))};
}

QSize RhythmChart::minimumSizeHint() const
{
    return {240, sizeHint().height()};
}

QRectF RhythmChart::plotArea() const
{
    const QFontMetricsF metrics(captionFont());
    const qreal axis = metrics.horizontalAdvance(QString::number(std::max(m_highest, 1))) + 8;
    // Room above the tallest column for its count.
    const qreal top = 10 + metrics.height();
    return QRectF(axis, top, std::max<qreal>(1, width() - axis - inset), plotHeight);
}

void RhythmChart::layOutBars()
{
    const QRectF plot = plotArea();
    const int count = int(m_rhythm.size());
    QList<Bar> bars;
    if (count > 0) {
        const qreal slot = plot.width() / count;
        const qreal thickness = std::clamp(slot * 0.62, 1.5, 26.0);
        for (int i = 0; i < count; ++i) {
            const RhythmBar& bar = m_rhythm.at(i);
            const qreal height = m_highest > 0 ? plot.height() * bar.readings / m_highest : 0.0;
            const qreal x = plot.left() + slot * i + (slot - thickness) / 2;
            bars.append({PatternsText::rhythmName(bar, m_unit),
                         QRectF(x, plot.bottom() - height, thickness, height)});
        }
    }
    setBars(bars);
}

void RhythmChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPalette& pal = palette();
    const QColor secondary = Typography::secondary(pal);
    const QFont caption = captionFont();
    const QFontMetricsF metrics(caption);
    const QRectF plot = plotArea();
    painter.setFont(caption);

    // The top line carries the highest count, the baseline zero.
    painter.setPen(QPen(trackColor(pal).darker(110), 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), plot.top()), QPointF(plot.right(), plot.top()));
    painter.setPen(secondary);
    painter.drawText(
        QRectF(0, plot.top() - metrics.height() / 2, plot.left() - 6, metrics.height()),
        Qt::AlignRight | Qt::AlignVCenter, QString::number(m_highest));
    painter.drawText(
        QRectF(0, plot.bottom() - metrics.height() / 2, plot.left() - 6, metrics.height()),
        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    painter.setPen(QPen(Typography::withAlpha(pal.color(QPalette::WindowText), 0.25), 1));
    painter.drawLine(QPointF(plot.left(), plot.bottom() + 0.5),
                     QPointF(plot.right(), plot.bottom() + 0.5));

    const QList<Bar>& shapes = bars();
    const int count = int(shapes.size());
    if (count == 0) {
        paintFocus(painter);
        return;
    }
    const qreal slot = plot.width() / count;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QRectF& bar = shapes.at(i).rect;
        const qreal radius = std::min<qreal>(3, bar.width() / 2);
        if (m_rhythm.at(i).readings == 0) {
            painter.setBrush(trackColor(pal));
            painter.drawRoundedRect(QRectF(bar.left(), plot.bottom() - 2, bar.width(), 2), 1, 1);
            continue;
        }
        const bool current = i == currentBar() && hasFocus();
        painter.setBrush(current ? Typography::accent().darker(115) : Typography::accent());
        // Rounded at the top only: the bottom sits on the baseline.
        QRectF body = bar;
        body.setHeight(bar.height() + radius);
        painter.save();
        painter.setClipRect(
            QRectF(bar.left() - 1, bar.top() - 1, bar.width() + 2, bar.height() + 1));
        painter.drawRoundedRect(body, radius, radius);
        painter.restore();
    }
    // The count of the column the keyboard is on, above it.
    if (hasFocus() && currentBar() >= 0 && currentBar() < count) {
        const QRectF& bar = shapes.at(currentBar()).rect;
        const QString value = QString::number(m_rhythm.at(currentBar()).readings);
        painter.setPen(pal.color(QPalette::WindowText));
        painter.setFont(Typography::font(Typography::Style::caption));
        painter.drawText(
            QRectF(bar.center().x() - 30, bar.top() - 4 - metrics.height(), 60, metrics.height()),
            Qt::AlignCenter, value);
        painter.setPen(Qt::NoPen);
    }

    // The calendar beneath: as many labels as fit, and the year where it changes (months).
    const qreal labelWidth =
        metrics.horizontalAdvance(m_unit == RhythmUnit::week ? QStringLiteral("30 sept")
                                                             : QStringLiteral("2000")) +
        10;
    const int every = std::max(1, int(std::ceil(labelWidth / slot)));
    const qreal labelTop = plot.bottom() + axisGap;
    painter.setPen(secondary);
    qreal lastYearRight = -1e9;
    for (int i = 0; i < count; ++i) {
        const RhythmBar& bar = m_rhythm.at(i);
        const qreal centre = plot.left() + slot * (i + 0.5);
        if (i % every == 0) {
            const QString label = PatternsText::rhythmLabel(bar, m_unit);
            const qreal w = metrics.horizontalAdvance(label);
            const qreal x = std::clamp(centre - w / 2, 0.0, width() - w);
            painter.drawText(QPointF(x, labelTop + metrics.ascent()), label);
        }
        const bool newYear = i == 0 || bar.start.year() != m_rhythm.at(i - 1).start.year();
        if (m_unit != RhythmUnit::year && newYear) {
            const QString year = QString::number(bar.start.year());
            const qreal x = std::max(centre - slot / 2, 0.0);
            if (x > lastYearRight + 6) {
                painter.drawText(QPointF(x, labelTop + metrics.height() + metrics.ascent()), year);
                lastYearRight = x + metrics.horizontalAdvance(year);
            }
        }
    }
    paintFocus(painter);
}
