#pragma once

#include "insights/patterns.h"
#include "views/kit/row_list_model.h"

#include <QList>
#include <QUuid>

// The lists of the patterns section as item models, so they can be walked with the keyboard
// and read by a screen reader row by row. Each is replaced whole when the figures change.

// "Las cartas que vuelven": the 22 cards ranked, one row each.
class RankingModel : public RowListModel<CardCount> {
    Q_OBJECT
public:
    enum Role {
        ArcanaRole = Qt::UserRole + 1, // qint64
        CountRole,                     // int
        ReversedRole,                  // int
        AboveChanceRole,               // bool
        FillRole,                      // double: the count as a share of the longest bar (0 to 1)
        ChanceFillRole                 // double: where chance alone would reach on the same scale
    };

    using RowListModel::RowListModel;
    void setPatterns(const Patterns& patterns);

    // The row of a card, or -1.
    int rowOf(qint64 arcanaID) const;

private:
    QVariant rowData(const CardCount& row, int role) const override;

    double m_expected = 0;
    double m_scale = 1;
};

// One reading of a card's trail.
struct TrailModelEntry {
    QUuid id;
    QString question; // or "Lectura general"
    double date = 0;
    Spread spread = Spread::daily;
    int position = 0; // the card's place in the reading
    bool reversed = false;
};

// A card's trail: the readings of the span that hold it, in history order.
class TrailModel : public RowListModel<TrailModelEntry> {
    Q_OBJECT
public:
    enum Role {
        IdRole = Qt::UserRole + 1, // QUuid of the reading
        DetailRole,                // "12 mar 2024, 18:05 · Obstáculo · invertida"
    };
    using Entry = TrailModelEntry;
    static Entry entry(const Reading& reading, const TrailStop& stop);

    using RowListModel::RowListModel;
    void setEntries(const QList<Entry>& entries);
    const QList<Entry>& entries() const { return rows(); }

private:
    QVariant rowData(const Entry& row, int role) const override;
};

// "En la misma posición": one row per card that came back in one role.
class RepeatModel : public RowListModel<RoleRepeat> {
    Q_OBJECT
public:
    enum Role { ArcanaRole = Qt::UserRole + 1 };

    using RowListModel::RowListModel;
    void setRepeats(const QList<RoleRepeat>& repeats);

private:
    QVariant rowData(const RoleRepeat& row, int role) const override;
};
