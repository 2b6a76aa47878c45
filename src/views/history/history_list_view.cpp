#include "views/history/history_list_view.h"

#include "model/catalog.h"
#include "views/cards/card_back.h"
#include "views/cards/card_face.h"
#include "views/cards/card_shadow.h"
#include "views/history/history_accessible.h"
#include "views/history/history_delegate.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/typography.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

HistoryListView::HistoryListView(QWidget* parent)
    : QListView(parent), m_delegate(new HistoryDelegate(this)), m_warmer(new QTimer(this))
{
    m_warmer->setInterval(0);
    connect(m_warmer, &QTimer::timeout, this, &HistoryListView::warmNextFace);
    setItemDelegate(m_delegate);
    ScrollAreas::quietList(this);
    // Rows are measured a batch at a time between events: a long journal opens at once and
    // the rest of the list is laid out while the user looks at the first rows.
    setLayoutMode(QListView::Batched);
    setBatchSize(60);
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    verticalScrollBar()->setSingleStep(24);
    // Screen readers find the buttons painted inside each row.
    static const bool accessible = [] {
        QAccessible::installFactory(HistoryAccessible::factory);
        return true;
    }();
    Q_UNUSED(accessible);
}

void HistoryListView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = visualRect(current);
        const HistoryDelegate::Action before = m_delegate->focusedAction();
        if (m_delegate->editorEvent(event, model(), option, current)) {
            event->accept();
            if (m_delegate->focusedAction() != before && QAccessible::isActive()) {
                // A screen reader follows the keyboard from button to button in the row.
                QAccessibleInterface* row =
                    QAccessible::queryAccessibleInterface(this)->child(current.row());
                QAccessibleEvent focus(row->focusChild() ? row->focusChild() : row,
                                       QAccessible::Focus);
                QAccessible::updateAccessibility(&focus);
            }
            return;
        }
    }
    QListView::keyPressEvent(event);
}

bool HistoryListView::offerToDelegate(QMouseEvent* event, const QModelIndex& index)
{
    if (!index.isValid())
        return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return m_delegate->editorEvent(event, model(), option, index);
}

void HistoryListView::mousePressEvent(QMouseEvent* event)
{
    // The row's buttons are handled here rather than through the view's editing machinery,
    // so a press and its release always reach the delegate together.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (offerToDelegate(event, index)) {
        setFocus(Qt::MouseFocusReason);
        setCurrentIndex(index);
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void HistoryListView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_delegate->isPressing()) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (!offerToDelegate(event, index)) {
            // Released outside any row: the press ends without an action.
            m_delegate->editorEvent(event, model(), QStyleOptionViewItem(), QModelIndex());
        }
        event->accept();
        return;
    }
    QListView::mouseReleaseEvent(event);
}

void HistoryListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (offerToDelegate(event, index)) {
        event->accept();
        return;
    }
    QListView::mouseDoubleClickEvent(event);
}

void HistoryListView::mouseMoveEvent(QMouseEvent* event)
{
    QListView::mouseMoveEvent(event);
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    const HistoryDelegate::Action action =
        index.isValid() ? m_delegate->actionAt(visualRect(index), index, point)
                        : HistoryDelegate::Action::none;
    m_delegate->setHover(index, action);
    viewport()->setCursor(action == HistoryDelegate::Action::none ? Qt::ArrowCursor
                                                                  : Qt::PointingHandCursor);
}

void HistoryListView::showEvent(QShowEvent* event)
{
    QListView::showEvent(event);
    if (m_nextFace == 0 && model() && model()->rowCount() > 0)
        m_warmer->start();
}

void HistoryListView::warmNextFace()
{
    const QList<Arcana>& deck = Catalog::cards();
    if (m_nextFace >= 2 * deck.size()) {
        m_warmer->stop();
        return;
    }
    const Arcana& card = deck.at(m_nextFace / 2);
    CardFace::pixmap(card, m_nextFace % 2 == 1,
                     QSizeF(HistoryDelegate::thumbnailWidth, HistoryDelegate::thumbnailHeight),
                     devicePixelRatioF());
    ++m_nextFace;
}

void HistoryListView::leaveEvent(QEvent* event)
{
    QListView::leaveEvent(event);
    m_delegate->setHover(QPersistentModelIndex(), HistoryDelegate::Action::none);
}

void HistoryListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    m_delegate->setFocusedAction(HistoryDelegate::Action::restore);
}
