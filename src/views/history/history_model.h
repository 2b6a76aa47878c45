#pragma once

#include "model/reading.h"

#include <QAbstractListModel>
#include <QList>
#include <QLocale>

class AppStore;

// The store's history as a list model: one row per saved reading, newest first. It follows
// the store's historyChanged with the smallest change it can name (rows inserted, removed or
// changed in place) so the list keeps its scroll position and cached rows.
class HistoryModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        ReadingRole = Qt::UserRole + 1, // the whole Reading (QVariant)
        IdRole,                         // QUuid
        QuestionRole,                   // the question, or "Lectura general" when empty
        DetailRole,                     // spread name · topic
        DateRole,                       // abbreviated date and short time, in Spanish
        NotesRole,                      // notes (may be empty)
        FavoriteRole,                   // bool
        SearchTextRole,                 // the folded text the search looks in
        RevisionRole,                   // a number that changes whenever the row's data does
        OwnDeckRole,                    // bool: laid out with the user's own deck
        FollowUpsRole,                  // "2 seguimientos", or empty when there are none
    };

    explicit HistoryModel(AppStore* store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const Reading& reading(int row) const { return m_rows.at(row).reading; }
    const QString& searchText(int row) const;
    // Builds the search texts of up to `count` more rows ahead of the first search; returns
    // whether every row has one.
    bool prepareSearchTexts(int count);

    // The text the search looks in: question, notes, spread name, the card names and the
    // follow-up entries, joined by single spaces.
    static QString joinedSearchText(const Reading& reading);
    // "1 seguimiento", "2 seguimientos"; empty for none.
    static QString followUpCount(qsizetype count);

private:
    struct Row {
        Reading reading;
        quint64 revision = 0;
        mutable QString folded; // built on first search
        mutable bool hasFolded = false;
    };

    Row makeRow(const Reading& reading);
    void sync();

    AppStore* m_store;
    QList<Row> m_rows;
    quint64 m_nextRevision = 1;
    int m_prepared = 0; // rows before this one have their search text
    QLocale m_locale;
};
