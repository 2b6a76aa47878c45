#pragma once

#include "views/kit/search_filter_model.h"

// Keeps the readings that pass the favourites switch and the search; the history's order
// is kept.
class HistoryFilterModel : public SearchFilterModel {
    Q_OBJECT
public:
    using SearchFilterModel::SearchFilterModel;

    bool favoritesOnly() const { return m_favoritesOnly; }
    void setFavoritesOnly(bool on);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool m_favoritesOnly = false;
};
