#pragma once

#include "views/kit/text_search.h"

#include <QSortFilterProxyModel>

// A filter over a list that keeps the rows whose search text contains the typed search, in
// the list's own order. Subclasses say where a row's search text is and may filter further.
class SearchFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit SearchFilterModel(QObject* parent = nullptr);

    const QString& search() const { return m_search; }
    void setSearch(const QString& search);

protected:
    // Whether a row's search text, which `text()` gives only when it is needed, holds the
    // search; every row does while the search is empty.
    template <class Text> bool matchesSearch(Text text) const
    {
        return m_search.isEmpty() || TextSearch::containsFolded(text(), m_folded);
    }

private:
    QString m_search;
    QString m_folded;
};
