#include "views/kit/layouts.h"

#include <QBoxLayout>

namespace {

template <class Layout> Layout* bare(QWidget* parent, int spacing)
{
    auto* layout = new Layout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

namespace Layouts {

QHBoxLayout* row(QWidget* parent, int spacing)
{
    return bare<QHBoxLayout>(parent, spacing);
}

QVBoxLayout* column(QWidget* parent, int spacing)
{
    return bare<QVBoxLayout>(parent, spacing);
}

} // namespace Layouts
