#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct FileIdentity;

namespace AtomicFile {

// Writes `bytes` to `path` through a temporary file beside it that then replaces `path`, so
// that a reader (or a crash) never sees half a file and a failed write leaves the previous
// file intact. A new file is readable by its owner only; a replaced one keeps its mode.
// Returns none on success, or a Spanish sentence saying why it failed.
std::optional<QString> write(const QString& path, const QByteArray& bytes);
// The same, for a text given in consecutive parts. `written`, if given, receives the
// identity of the new file.
std::optional<QString> write(const QString& path, const QList<QByteArray>& parts,
                             FileIdentity* written = nullptr);

// Creates `path` with `bytes`, whole or not at all, and never in place of an existing file.
enum class NewFile { written, exists, failed };
NewFile writeNew(const QString& path, const QByteArray& bytes);

// Writes `bytes` to `path` whole or not at all, through a temporary file beside it that
// then replaces `path`, without waiting for the disk. For exports of many files, where a
// flush per file would take far longer than the export itself. A new file is readable by
// its owner only.
std::optional<QString> writeWithoutSync(const QString& path, const QByteArray& bytes);

} // namespace AtomicFile
