#include "views/guide/guide_filter_model.h"

#include "views/guide/guide_model.h"

bool GuideFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const auto* guide = qobject_cast<const GuideModel*>(sourceModel());
    return !sourceParent.isValid() &&
           (!guide || matchesSearch([&] { return guide->searchText(sourceRow); }));
}
