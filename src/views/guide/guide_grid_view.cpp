#include "views/guide/guide_grid_view.h"

#include "views/guide/guide_delegate.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/typography.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

GuideGridView::GuideGridView(QWidget* parent) : QListView(parent)
{
    setItemDelegate(new GuideDelegate(this));
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setMovement(QListView::Static);
    setSpacing(0);
    ScrollAreas::quietList(this);
    verticalScrollBar()->setSingleStep(24);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractItemView::clicked, this, &GuideGridView::chosen);
}

int GuideGridView::columnWidth() const
{
    int width = maximumViewportSize().width();
    if (!style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarOverlap, nullptr, verticalScrollBar()))
        width -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    // The list starts a new row once an item would reach the last pixel of that width.
    return std::max(1, (width - 1) / 2);
}

void GuideGridView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    const int key = event->key();
    if (current.isValid() &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        Q_EMIT chosen(current);
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void GuideGridView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    // Cells are half the width: lay them out again for the new width.
    scheduleDelayedItemsLayout();
}
