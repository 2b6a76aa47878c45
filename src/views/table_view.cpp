#include "views/table_view.h"

#include <QLabel>
#include <QVBoxLayout>

TableView::TableView(AppStore* store, QWidget* parent) : QWidget(parent), m_store(store)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("TableView"), this), 0, Qt::AlignCenter);
}
