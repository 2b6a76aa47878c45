#pragma once

#include "views/kit/search_filter_model.h"

// The cards whose name and keywords contain the search text.
class GuideFilterModel : public SearchFilterModel {
    Q_OBJECT
public:
    using SearchFilterModel::SearchFilterModel;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
};
