#pragma once

#include "model/arcana.h"

#include <QAbstractListModel>
#include <QList>
#include <optional>

// The 22 arcana of the guide in catalog order, with the card that is selected.
class GuideModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        ArcanaRole = Qt::UserRole + 1, // the whole Arcana (QVariant)
        IdRole,                        // qint64
        NumeralRole,                   // the Marseille numeral
        SearchTextRole,                // folded name + " " + keywords
        SelectedRole,                  // bool
    };

    explicit GuideModel(const QList<Arcana>& deck, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QList<Arcana>& deck() const { return m_deck; }
    const QString& searchText(int row) const { return m_search.at(row); }

    const std::optional<qint64>& selected() const { return m_selected; }
    void setSelected(std::optional<qint64> id);
    // The first card with the identifier, or null.
    const Arcana* card(qint64 id) const;

Q_SIGNALS:
    void selectedChanged();

private:
    int rowOf(qint64 id) const;

    QList<Arcana> m_deck;
    QList<QString> m_search;
    std::optional<qint64> m_selected;
};
