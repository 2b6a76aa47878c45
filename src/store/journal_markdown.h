#pragma once

#include "model/reading.h"

#include <QByteArray>
#include <QDate>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

// The journal as Markdown, the way note-taking programs keep notes: one file per reading,
// with the whole reading in a YAML front matter under the state file's own key names (so
// the file can come back), and a body written for people.
namespace JournalMarkdown {

// "AAAA-MM-DD-HHMM-<slug>" in local time, without the extension.
QString fileStem(const Reading& reading);
// The question in lower-case ASCII words joined by hyphens, at most 40 characters;
// "lectura-general" when nothing is left.
QString slug(const QString& question);
// The file names of `readings` in order, each "<stem>.md", with "-2", "-3"… before the
// extension when two stems are the same.
QStringList fileNames(const QList<Reading>& readings);

// A reading's file: the front matter, then the body.
QByteArray document(const Reading& reading);
// Every reading as a section of one file, in the order given, for reading and printing.
QByteArray notebook(const QList<Reading>& readings, QDate day);
// "Arcandel-cuaderno-AAAA-MM-DD.md".
QString notebookFileName(QDate day);

// Reads the reading back from a file written by document(). On failure `error` gets the
// Spanish reason.
std::optional<Reading> parse(const QByteArray& bytes, QString* error);

} // namespace JournalMarkdown
