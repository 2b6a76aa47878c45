#pragma once

#include "model/reading.h"

#include <QList>
#include <QString>
#include <optional>

// Taking the journal out as Markdown and bringing readings back in: from a folder of
// exported files, one such file, or another state file.
namespace JournalTransfer {

enum class Format {
    folder,   // one file per reading, for note-taking programs and for importing
    notebook, // every reading in one file, for reading and printing
};

struct ExportResult {
    std::optional<QString> failure; // a Spanish sentence; none on success
    qsizetype files = 0;            // how many files were written
};

// Writes `readings` to `target`: a folder (created, private, when missing) or the notebook
// file. Nothing is written over the state file at `statePath`.
ExportResult exportJournal(const QList<Reading>& readings, Format format, const QString& target,
                           const QString& statePath);

// One file read by the dry run: its readings, or why none could be taken from it.
struct Source {
    QString path;
    QList<Reading> readings;
    QString error; // a Spanish sentence; empty when the file is fine
};

struct Scan {
    // Why nothing at all could be read (a missing path, a folder without Markdown files).
    std::optional<QString> failure;
    QList<Source> sources;

    QList<Reading> readings() const;
    QList<Source> failed() const;
};

// Reads and checks everything at `path` without changing anything: a folder of exported
// files, one exported file, or a state file.
Scan scan(const QString& path);

// "«2024-06-14-1030-pregunta.md»: <reason>", one line per failed file.
QString describeFailures(const QList<Source>& failed);

struct Merge {
    QList<Reading> history;
    qsizetype added = 0;
    qsizetype skipped = 0; // identical to a reading already there
    QList<Reading> kept;   // local readings kept over a different version of them
};

// Merges `incoming` into `history` by identifier: a new identifier is added at its place by
// date (before the first reading older than it); an identical reading is skipped; a
// different reading under an identifier already there leaves the local one as it is.
Merge merge(const QList<Reading>& history, const QList<Reading>& incoming);

// "Se añadieron 3 tiradas…": what an import did, in the user's words.
QString summary(const Merge& merge);
// The readings kept over a different version, one line each: question and date.
QString describeKept(const QList<Reading>& kept);

// Copies the state file at `statePath` into its backups before an import changes it
// (Backups::takeBeforeChange, at the local time of `secondsSince1970`), where "Restaurar una
// copia" lists it. None on success (also when there is no file yet), or a Spanish sentence.
std::optional<QString> backUp(const QString& statePath, qint64 secondsSince1970);

struct FileImport {
    std::optional<Merge> merge;     // when it worked
    std::optional<QString> failure; // otherwise why, to follow "No se pudo importar: "
};

// Merges `readings` into the journal in the state file at `statePath` without a store: the
// file is read and checked, backed up and written only when readings are added. On any
// failure it is left as it was.
FileImport importIntoStateFile(const QString& statePath, const QList<Reading>& readings,
                               qint64 secondsSince1970);

} // namespace JournalTransfer
