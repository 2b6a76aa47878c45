#include "views/kit/scroll_areas.h"

#include "views/kit/layouts.h"

#include <QAbstractScrollArea>
#include <QListView>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ScrollAreas {

namespace {
const char* const slimProperty = "arcandelSlimScrollBar";

void styleSlimScrollBar(QScrollBar* bar, const QPalette& palette)
{
    QColor handle = palette.color(QPalette::WindowText);
    handle.setAlphaF(0.22f);
    if (bar->property("arcandelSlimColor").toUInt() == handle.rgba() &&
        !bar->styleSheet().isEmpty())
        return;
    bar->setProperty("arcandelSlimColor", handle.rgba());
    QColor hover = handle;
    hover.setAlphaF(0.38f);
    const auto rgba = [](const QColor& c) {
        return QStringLiteral("rgba(%1, %2, %3, %4)")
            .arg(c.red())
            .arg(c.green())
            .arg(c.blue())
            .arg(c.alpha());
    };
    bar->setStyleSheet(
        QStringLiteral("QScrollBar:vertical { background: transparent; width: %3px; "
                       "margin: 4px 2px 4px 2px; }"
                       "QScrollBar::handle:vertical { background: %1; border-radius: 3px; "
                       "min-height: 32px; }"
                       "QScrollBar::handle:vertical:hover { background: %2; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical "
                       "{ height: 0px; border: none; background: none; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical "
                       "{ background: none; }")
            .arg(rgba(handle), rgba(hover), QString::number(slimBarWidth)));
}

QScrollArea* frameless(QWidget* parent)
{
    auto* scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    return scroll;
}

} // namespace

QScrollArea* plain(QWidget* parent)
{
    QScrollArea* scroll = frameless(parent);
    scroll->verticalScrollBar()->setSingleStep(24);
    return scroll;
}

QWidget* column(int maxWidth)
{
    // A page, not a plain widget: the least height its wrapped texts would need when narrow
    // must not make it taller than its content.
    auto* page = new ScrollPage;
    page->setAutoFillBackground(false);
    auto* row = Layouts::row(page, 0);
    auto* content = new QWidget(page);
    content->setMaximumWidth(maxWidth);
    row->addWidget(content, 1, Qt::AlignTop);
    row->addStretch(0);
    return content;
}

QScrollArea* transparent(const QString& objectName, QWidget* parent)
{
    QScrollArea* scroll = frameless(parent);
    scroll->setObjectName(objectName);
    scroll->setAutoFillBackground(false);
    useSlimScrollBar(scroll);
    return scroll;
}

ScrollPage* fill(QWidget* owner, QScrollArea* area, const QMargins& margins)
{
    auto* outer = new QVBoxLayout(owner);
    outer->setContentsMargins(margins);
    outer->addWidget(area);
    auto* page = new ScrollPage(area);
    page->setAutoFillBackground(false);
    area->setWidget(page);
    return page;
}

void useSlimScrollBar(QAbstractScrollArea* area)
{
    QScrollBar* bar = area->verticalScrollBar();
    bar->setProperty(slimProperty, true);
    styleSlimScrollBar(bar, area->palette());
}

void quietList(QListView* list)
{
    list->setFrameShape(QFrame::NoFrame);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setResizeMode(QListView::Adjust);
    list->setUniformItemSizes(false);
    list->setAutoFillBackground(false);
    list->viewport()->setAutoFillBackground(false);
}

void refreshScrollBars(QWidget* root)
{
    const QList<QScrollBar*> bars = root->findChildren<QScrollBar*>();
    for (QScrollBar* bar : bars) {
        if (bar->property(slimProperty).toBool())
            styleSlimScrollBar(bar, root->palette());
    }
}

} // namespace ScrollAreas
