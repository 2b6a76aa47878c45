#include "views/kit/search_filter_model.h"

#include "views/kit/text_search.h"

SearchFilterModel::SearchFilterModel(QObject* parent) : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
}

void SearchFilterModel::setSearch(const QString& search)
{
    if (search == m_search)
        return;
    m_search = search;
    m_folded = TextSearch::fold(search);
    invalidateFilter();
}
