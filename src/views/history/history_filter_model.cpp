#include "views/history/history_filter_model.h"

#include "views/history/history_model.h"

void HistoryFilterModel::setFavoritesOnly(bool on)
{
    if (on == m_favoritesOnly)
        return;
    m_favoritesOnly = on;
    invalidateFilter();
}

bool HistoryFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (sourceParent.isValid())
        return false;
    const auto* history = qobject_cast<const HistoryModel*>(sourceModel());
    if (!history)
        return true;
    if (m_favoritesOnly && !history->reading(sourceRow).favorite)
        return false;
    return matchesSearch([&] { return history->searchText(sourceRow); });
}
