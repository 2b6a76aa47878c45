#pragma once

#include <QListView>

// The two-column grid of the guide.
class GuideGridView : public QListView {
    Q_OBJECT
public:
    explicit GuideGridView(QWidget* parent = nullptr);

Q_SIGNALS:
    // The user chose the card of this row (click, Return or Space).
    void chosen(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
