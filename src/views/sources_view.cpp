#include "views/sources_view.h"

#include <QLabel>
#include <QVBoxLayout>

SourcesView::SourcesView(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("SourcesView"), this), 0, Qt::AlignCenter);
}
