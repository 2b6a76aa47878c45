#pragma once

#include <QListView>

// The two-column grid of the guide.
class GuideGridView : public QListView {
    Q_OBJECT
public:
    explicit GuideGridView(QWidget* parent = nullptr);

    // Width of one of the two columns. The list lays its items out in the viewport's full
    // width less room for a scroll bar, whether the bar shows or not; half of that always
    // leaves room for two cells in a row, with or without the bar.
    int columnWidth() const;

Q_SIGNALS:
    // The user chose the card of this row (click, Return or Space).
    void chosen(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
