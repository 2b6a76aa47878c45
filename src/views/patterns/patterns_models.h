#pragma once

#include "insights/patterns.h"

#include <QAbstractListModel>
#include <QList>
#include <QUuid>

// The lists of the patterns section as item models, so they can be walked with the keyboard
// and read by a screen reader row by row. Each is replaced whole when the figures change.

// "Las cartas que vuelven": the 22 cards ranked, one row each.
class RankingModel : public QAbstractListModel {
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

    using QAbstractListModel::QAbstractListModel;
    void setPatterns(const Patterns& patterns);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The row of a card, or -1.
    int rowOf(qint64 arcanaID) const;

private:
    QList<CardCount> m_rows;
    double m_expected = 0;
    double m_scale = 1;
};

// A card's trail: the readings of the span that hold it, in history order.
class TrailModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        IdRole = Qt::UserRole + 1, // QUuid of the reading
        DetailRole,                // "12 mar 2024, 18:05 · Obstáculo · invertida"
    };
    struct Entry {
        QUuid id;
        QString question; // or "Lectura general"
        double date = 0;
        Spread spread = Spread::daily;
        int position = 0; // the card's place in the reading
        bool reversed = false;
    };
    static Entry entry(const Reading& reading, const TrailStop& stop);

    using QAbstractListModel::QAbstractListModel;
    void setEntries(const QList<Entry>& entries);
    const QList<Entry>& entries() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<Entry> m_rows;
};

// "En la misma posición": one row per card that came back in one role.
class RepeatModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { ArcanaRole = Qt::UserRole + 1 };

    using QAbstractListModel::QAbstractListModel;
    void setRepeats(const QList<RoleRepeat>& repeats);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<RoleRepeat> m_rows;
};
