#pragma once

#include "views/history/history_delegate.h"

#include <QListView>
#include <QTimer>

// The list of the history: passes keys and hover to the delegate so the buttons inside a row
// work with the keyboard and show where the pointer is.
class HistoryListView : public QListView {
    Q_OBJECT
public:
    explicit HistoryListView(QWidget* parent = nullptr);
    HistoryDelegate* historyDelegate() const { return m_delegate; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // Offers a mouse event to the delegate's buttons first.
    bool offerToDelegate(QMouseEvent* event, const QModelIndex& index);

    // Renders one card face at thumbnail size per pass of the event loop, so scrolling onto
    // a card not seen yet does not stop to read its picture.
    void warmNextFace();

    HistoryDelegate* m_delegate;
    QTimer* m_warmer;
    int m_nextFace = 0;
};
