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

// Saves the painter and paints what every row of the section shares: highlight, hover and
// focus ring. Returns the row's inner rectangle; the delegate restores the painter.
QRectF beginRow(QPainter* painter, const QStyleOptionViewItem& option);

// "Las cartas que vuelven": the small face, the name, a bar with the line of chance across
// it, the count and the mark of a card clearly above chance.
class RankingDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int rowHeight = 40;
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

// A card's trail: the question, the date with the position, and "Volver a esta tirada".
class TrailDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int rowHeight = 82;
    using QStyledItemDelegate::QStyledItemDelegate;

    // Where "Volver a esta tirada" lies in a row.
    static QRectF buttonRect(const QRectF& row);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    void setPressed(const QPersistentModelIndex& index) { m_pressed = index; }
    void setHovered(const QPersistentModelIndex& index) { m_hovered = index; }

private:
    QPersistentModelIndex m_pressed;
    QPersistentModelIndex m_hovered;
};

// "En la misma posición": a small face and the line "La Torre como obstáculo · 3 veces".
class RepeatDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int rowHeight = 34;
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
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
