#include "views/history/history_filter_model.h"

#include "views/history/history_model.h"
#include "views/kit/text_search.h"

#include <utility>

HistoryFilterModel::HistoryFilterModel(QObject* parent) : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
}

void HistoryFilterModel::setSearch(const QString& search)
{
    if (search == m_search)
        return;
    m_search = search;
    m_foldedSearch = TextSearch::fold(search);
    refilter();
}

void HistoryFilterModel::setFavoritesOnly(bool on)
{
    if (on == m_favoritesOnly)
        return;
    m_favoritesOnly = on;
    refilter();
}

void HistoryFilterModel::refilter()
{
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
    if (m_search.isEmpty())
        return true;
    return TextSearch::containsFolded(history->searchText(sourceRow), m_foldedSearch);
}
