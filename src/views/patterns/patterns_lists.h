#pragma once

#include <QListView>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

// The lists of the patterns section. They never scroll themselves: each is as tall as its
// rows (or as it is given) and the page around it scrolls, keeping the current row in view.

// A list of the section: rows of one height, a soft highlight for the selected row and the
// one under the pointer, a focus ring, see-through background.
class PatternsList : public QListView {
    Q_OBJECT
public:
    explicit PatternsList(int rowHeight, QWidget* parent = nullptr);
    int rowHeight() const { return m_rowHeight; }

    // As tall as its rows, up to `rows` of them (the rest scroll inside); or, filling, as
    // tall as the layout makes it.
    void setMaxRows(int rows);
    void setFillsSpace(bool fills);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void setModel(QAbstractItemModel* model) override;

Q_SIGNALS:
    // The current row moved: the page scrolls to it (rectangle in the list's coordinates).
    void wantsVisible(const QRect& rect);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void updateHeight();

    int m_rowHeight;
    int m_maxRows = 1000;
    bool m_fills = false;
};

// What every row of the section shares: a fixed size, and the highlight, hover and focus ring
// painted under the row's own content.
class RowDelegate : public QStyledItemDelegate {
public:
    RowDelegate(QSize size, QObject* parent) : QStyledItemDelegate(parent), m_size(size) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const final;
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const final { return m_size; }

protected:
    // Paints a valid row's content inside `row`, the rectangle within its highlight; the
    // painter is saved before and restored after.
    virtual void paintRow(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index, const QRectF& row) const = 0;

private:
    static QRectF beginRow(QPainter* painter, const QStyleOptionViewItem& option);

    QSize m_size;
};

// "Las cartas que vuelven": the small face, the name, a bar with the line of chance across
// it, the count and the mark of a card clearly above chance.
class RankingDelegate : public RowDelegate {
    Q_OBJECT
public:
    static constexpr int rowHeight = 40;
    explicit RankingDelegate(QObject* parent) : RowDelegate({300, rowHeight}, parent) {}

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    void paintRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                  const QRectF& row) const override;
};

// A card's trail: the question, the date with the position, and "Volver a esta tirada".
class TrailDelegate : public RowDelegate {
    Q_OBJECT
public:
    static constexpr int rowHeight = 82;
    explicit TrailDelegate(QObject* parent) : RowDelegate({280, rowHeight}, parent) {}

    // Where "Volver a esta tirada" lies in a row.
    static QRectF buttonRect(const QRectF& row);

    void setPressed(const QPersistentModelIndex& index) { m_pressed = index; }
    void setHovered(const QPersistentModelIndex& index) { m_hovered = index; }

private:
    void paintRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                  const QRectF& row) const override;

    QPersistentModelIndex m_pressed;
    QPersistentModelIndex m_hovered;
};

// "En la misma posición": a small face and the line "La Torre como obstáculo · 3 veces".
class RepeatDelegate : public RowDelegate {
    Q_OBJECT
public:
    static constexpr int rowHeight = 34;
    explicit RepeatDelegate(QObject* parent) : RowDelegate({280, rowHeight}, parent) {}

private:
    void paintRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                  const QRectF& row) const override;
};

// The trail's list: Return, a double click or its button reopen a reading.
class TrailList : public PatternsList {
    Q_OBJECT
public:
    explicit TrailList(QWidget* parent = nullptr);

Q_SIGNALS:
    void openRequested(const QModelIndex& index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool onButton(const QModelIndex& index, const QPoint& point) const;

    TrailDelegate* m_delegate;
    QPersistentModelIndex m_pressed;
};
