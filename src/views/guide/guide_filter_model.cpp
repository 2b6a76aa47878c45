#include "views/guide/guide_filter_model.h"

#include "views/guide/guide_model.h"
#include "views/kit/text_search.h"

GuideFilterModel::GuideFilterModel(QObject* parent) : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
}

void GuideFilterModel::setSearch(const QString& search)
{
    if (search == m_search)
        return;
    m_search = search;
    m_folded = TextSearch::fold(search);
    invalidateFilter();
}

bool GuideFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (sourceParent.isValid())
        return false;
    if (m_search.isEmpty())
        return true;
    const auto* guide = qobject_cast<const GuideModel*>(sourceModel());
    if (!guide)
        return true;
    return TextSearch::containsFolded(guide->searchText(sourceRow), m_folded);
}
