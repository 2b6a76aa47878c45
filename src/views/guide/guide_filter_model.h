#pragma once

#include <QSortFilterProxyModel>

// The cards whose name and keywords contain the search text.
class GuideFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit GuideFilterModel(QObject* parent = nullptr);
    const QString& search() const { return m_search; }
    void setSearch(const QString& search);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString m_search;
    QString m_folded;
};
