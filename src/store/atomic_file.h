#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct FileIdentity;

namespace AtomicFile {

// Writes `bytes` to `path` through a temporary file beside it that then replaces `path`, so
// that a reader (or a crash) never sees half a file and a failed write leaves the previous
// file intact. The file and then its folder reach the disk before it returns. A new file is
// its owner's alone (0600); a replaced one keeps its mode. Whatever is at `path` that is not
// a regular file (a folder, a FIFO, a device) is left alone and the write fails. Returns none
// on success, or a Spanish sentence saying why it failed.
std::optional<QString> write(const QString& path, const QByteArray& bytes);
// The same, for a text given in consecutive parts. `written`, if given, receives the
// identity of the new file once it is in place (also when only syncing the folder failed).
std::optional<QString> write(const QString& path, const QList<QByteArray>& parts,
                             FileIdentity* written = nullptr);

// Creates `path` with `bytes` and the permission bits `mode`, whole or not at all, and never
// in place of anything at that name: not even through a symbolic link planted there.
enum class NewFile { written, exists, failed };
NewFile writeNew(const QString& path, const QByteArray& bytes, unsigned mode = 0600);

// Creates `folder` and its missing parents, each one its owner's alone (0700). Returns
// whether the folder exists afterwards.
bool makeFolders(const QString& folder);

// Makes the entries of `folder` (a rename, a new name) reach the disk. Returns 0 or the
// errno of the failure.
int syncFolder(const QString& folder);

// Writes `bytes` to `path` whole or not at all, through a temporary file beside it that
// then replaces `path`, without waiting for the disk. For exports of many files, where a
// flush per file would take far longer than the export itself. A new file is readable by
// its owner only.
std::optional<QString> writeWithoutSync(const QString& path, const QByteArray& bytes);

} // namespace AtomicFile
