#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The journal's backups, in the folder "copias" beside the state file: one copy a day
// ("state-AAAA-MM-DD.json", taken when the journal loads), and one before each restore or
// import changes the journal ("state-AAAA-MM-DD-HHMMSS.json").
// Each is written like the state file (atomic, synced, its owner's alone).
namespace Backups {

// "<folder of the state file>/copias".
QString folder(const QString& statePath);

// Takes the day's copy of `bytes`, the state file as just loaded, unless the day of `now`
// already has one; then thins the folder out (thinOut). Returns why it failed, if it did.
std::optional<QString> takeDaily(const QString& statePath, const QByteArray& bytes,
                                 const QDateTime& now);

struct Taken {
    QString path;                   // of the copy; empty when there was nothing to copy
    std::optional<QString> failure; // a Spanish sentence
};
// Copies the state file as it is on disk now, before it is replaced. Nothing at the path is
// nothing to copy; a file that cannot be read (or copied) is a failure.
Taken takeBeforeChange(const QString& statePath, const QDateTime& now);

// Keeps every copy of the seven most recent days that have copies, and from the copies
// before them the newest of each of the four most recent calendar weeks (Monday to Sunday);
// deletes the other copies. Counting days and weeks that have copies, not the calendar's,
// a journal left alone for months keeps its last copies. Files not named as copies are
// left alone.
void thinOut(const QString& folder);

// One copy, as the restore dialog lists it.
struct Entry {
    QString path;
    QDateTime taken;           // local time; midnight for a daily copy
    bool beforeChange = false; // taken before a restore or an import
    qint64 size = 0;
    std::optional<qsizetype> readings; // none when it cannot be restored
    QString problem;                   // then: why, a Spanish sentence
};
// Every copy of the journal at `statePath`, newest first, each read and checked.
QList<Entry> list(const QString& statePath);
// What the name of the copy at `path` says (when it was taken; an invalid time for a file
// not named as a copy), without reading it.
Entry named(const QString& path);
// When a copy was taken, as the user reads it: "3 de mayo de 2024", with ", 14:30" for one
// taken before a change.
QString when(const Entry& entry);

} // namespace Backups
