#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace AtomicFile {

// Writes `bytes` to `path` through a temporary file beside it that then replaces `path`, so
// that a reader (or a crash) never sees half a file and a failed write leaves the previous
// file intact. Returns none on success, or a Spanish sentence saying why it failed.
std::optional<QString> write(const QString& path, const QByteArray& bytes);
// The same, for a text given in consecutive parts.
std::optional<QString> write(const QString& path, const QList<QByteArray>& parts);

} // namespace AtomicFile
