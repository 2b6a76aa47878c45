#pragma once

#include "insights/patterns.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <optional>

// A chart drawn with QPainter in the application's palette that is text too: its accessible
// description reads the whole content, each bar is a child a screen reader can reach by name,
// and the arrow keys walk the bars when it has the focus.
class PatternsChart : public QWidget {
    Q_OBJECT
public:
    struct Bar {
        QString name; // what a screen reader says, e.g. "Impulso: 27 % de tus cartas"
        QRectF rect;  // where it is painted, in widget coordinates
    };

    explicit PatternsChart(QWidget* parent = nullptr);

    const QList<Bar>& bars() const { return m_bars; }
    // The bar the keyboard is on, or -1.
    int currentBar() const { return m_current; }
    void setCurrentBar(int index);

protected:
    // Subclasses give their bars' names when the data changes and their rectangles when they
    // lay them out; both end in a call of setBars.
    void setBars(const QList<Bar>& bars);
    // With the focus, a ring around the current bar: the chart's own text lines up with the
    // panel around it, so the ring never goes round the whole chart.
    void paintFocus(QPainter& painter);

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    virtual void layOutBars() = 0;

private:
    QList<Bar> m_bars;
    int m_current = -1;
};

// Horizontal bars, one row each, with an optional second bar for what chance would give:
// the symbolic families against their share of the deck, the topics and spreads used.
class ShareChart : public PatternsChart {
    Q_OBJECT
public:
    struct Row {
        QString label;
        double value = 0;             // in the chart's unit (share or count)
        std::optional<double> chance; // drawn as a second, quieter bar
        QString valueText;            // written after the bar ("27 %", "12")
        QString chanceText;           // written after the chance bar
        QString name;                 // spoken name of the row
    };

    explicit ShareChart(QWidget* parent = nullptr);
    void setRows(const QList<Row>& rows);
    const QList<Row>& rows() const { return m_rows; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void layOutBars() override;

private:
    bool paired() const;
    qreal rowHeight() const;
    qreal trackLeft() const;
    qreal trackRight() const;
    qreal legendHeight() const;

    QList<Row> m_rows;
    qreal m_scale = 1;
    qreal m_labelWidth = 0;
    qreal m_valueWidth = 0;
};

// Readings per week, month or year, as columns over a baseline with the calendar beneath.
class RhythmChart : public PatternsChart {
    Q_OBJECT
public:
    explicit RhythmChart(QWidget* parent = nullptr);
    void setRhythm(const QList<RhythmBar>& bars, RhythmUnit unit);
    const QList<RhythmBar>& rhythm() const { return m_rhythm; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void layOutBars() override;

private:
    QRectF plotArea() const;

    QList<RhythmBar> m_rhythm;
    RhythmUnit m_unit = RhythmUnit::week;
    int m_highest = 0;
};
