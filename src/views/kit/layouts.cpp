#include "views/kit/layouts.h"

#include <QBoxLayout>

namespace {

template <class Layout> Layout* bare(QWidget* parent, int spacing, const QMargins& margins)
{
    auto* layout = new Layout(parent);
    layout->setContentsMargins(margins);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

namespace Layouts {

QHBoxLayout* row(QWidget* parent, int spacing, const QMargins& margins)
{
    return bare<QHBoxLayout>(parent, spacing, margins);
}

QVBoxLayout* column(QWidget* parent, int spacing, const QMargins& margins)
{
    return bare<QVBoxLayout>(parent, spacing, margins);
}

} // namespace Layouts
