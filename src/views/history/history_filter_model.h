#pragma once

#include <QSortFilterProxyModel>

// Keeps the readings that pass the favourites switch and the search; the history's order
// is kept.
class HistoryFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit HistoryFilterModel(QObject* parent = nullptr);

    const QString& search() const { return m_search; }
    void setSearch(const QString& search);
    bool favoritesOnly() const { return m_favoritesOnly; }
    void setFavoritesOnly(bool on);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    void refilter();

    QString m_search;
    QString m_foldedSearch;
    bool m_favoritesOnly = false;
};
