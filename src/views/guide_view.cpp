#include "views/guide_view.h"

#include <QLabel>
#include <QVBoxLayout>

GuideView::GuideView(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("GuideView"), this), 0, Qt::AlignCenter);
}
