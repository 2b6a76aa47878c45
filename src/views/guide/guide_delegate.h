#pragma once

#include <QStyledItemDelegate>

class GuideGridView;

// One cell of the guide's grid: the card face with its shadow, the name (two lines at most)
// and the numeral, on a faint accent tint when the card is the selected one.
class GuideDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int columnSpacing = 18;
    static constexpr int rowSpacing = 18;
    static constexpr int innerMargin = 9;
    static constexpr int faceHeight = 146;
    static constexpr int labelSpacing = 6;
    static constexpr int cornerRadius = 10;

    explicit GuideDelegate(GuideGridView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The cell's label box (the tinted area) of an item: the item's half of the row less
    // half the 18 points between the two columns, on the side towards the other column.
    static QRect labelRect(const QRect& itemRect);
    // Height of the label box.
    static int labelHeight();

private:
    GuideGridView* m_view;
};
