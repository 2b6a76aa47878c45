#include "views/history_view.h"

#include <QLabel>
#include <QVBoxLayout>

HistoryView::HistoryView(AppStore* store, QWidget* parent) : QWidget(parent), m_store(store)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("HistoryView"), this), 0, Qt::AlignCenter);
}
