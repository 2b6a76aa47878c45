#pragma once

#include <QAbstractListModel>
#include <QList>

// A flat list model over a list of values. Subclasses answer for one row's value; the
// index checks and the counting live here once.
template <typename Row> class RowListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override
    {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
            return {};
        return rowData(m_rows.at(index.row()), role);
    }

    const QList<Row>& rows() const { return m_rows; }

protected:
    virtual QVariant rowData(const Row& row, int role) const = 0;

    // Replaces every row at once; `also` runs inside the reset, for state the rows depend on.
    template <typename Also = void (*)()>
    void resetRows(
        const QList<Row>& rows, Also also = [] {})
    {
        beginResetModel();
        m_rows = rows;
        also();
        endResetModel();
    }

private:
    QList<Row> m_rows;
};
