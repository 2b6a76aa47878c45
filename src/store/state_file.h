#pragma once

#include "model/reading.h"
#include "model/saved_state.h"
#include "store/file_identity.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Reading, checking, setting aside and writing the state file.
namespace StateFile {

// The opening sentence of every description of an impossible reading in the history.
QString invalidReadingSentence();

// Why a reading of the history is impossible, or none when it is valid. The rules are
// tested in order and the first failure decides: as many cards as the spread has
// positions; every card between 0 and 21; no card twice; `revealed` between 0 and the
// number of cards. `number` counts the readings of the history from 1, for the message.
std::optional<QString> invalidReason(const Reading& reading, qsizetype number);
// The same, for a reading named `which` ("La tirada") in the description.
std::optional<QString> invalidReason(const Reading& reading, const QString& which);

// Decodes a whole state document and checks every reading of its history. On failure
// `error` (if given) receives the Spanish description of the first fault.
std::optional<SavedState> decodeAndValidate(const QByteArray& bytes, QString* error);

struct ReadResult {
    enum class Status { missing, loaded, failed };
    Status status = Status::missing;
    SavedState state;      // when loaded
    QString error;         // when failed: the description, a whole sentence
    FileIdentity identity; // of what was read (none when missing)
    // What was read, also when it did not decode; none when nothing could be read.
    std::optional<QByteArray> bytes;
};

// Reads the state file at `path`. A path where nothing exists is a first start. Only a
// regular file of at most RegularFile::sizeLimit bytes is read. In a loaded history every
// reading has an identifier of its own (giveDistinctIdentifiers).
ReadResult read(const QString& path);

// Gives every reading whose identifier repeats an earlier one's a new identifier, so that
// an operation by identifier touches one reading. Returns how many changed.
qsizetype giveDistinctIdentifiers(QList<Reading>& history);

// "state-recuperacion-<seconds>.json", and "state-conflicto-<seconds>.json" for a version
// another program wrote.
QString recoveryFileName(qint64 secondsSince1970);
QString conflictFileName(qint64 secondsSince1970);
enum class Copy { recovery, conflict };

struct SetAsideResult {
    // True when the content at `path` is safe from being replaced: a copy holds it, or there
    // is no file there that a write could replace.
    bool secured = false;
    // The copy that holds the content, if one was made or found.
    QString copyPath;
};

// Copies the state file at `path` (whose content is `content`, when already read) beside
// itself as a copy of the given kind named after the time `secondsSince1970`, with the
// file's own mode. A copy of the kind that already holds these very bytes is enough. An
// existing file is never replaced, nor followed if it is a link: when the name is taken, a
// numbered variant of it is used.
SetAsideResult setAside(const QString& path, qint64 secondsSince1970, Copy kind = Copy::recovery,
                        const std::optional<QByteArray>& content = std::nullopt);

// Creates the folder of `path` if needed and writes `document` (the concatenation of its
// parts) there atomically. Returns none on success or a Spanish sentence saying why it
// failed; `written`, if given, receives the identity of the new file.
std::optional<QString> write(const QString& path, const QList<QByteArray>& document,
                             FileIdentity* written = nullptr);

} // namespace StateFile
