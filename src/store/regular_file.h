#pragma once

#include "store/file_identity.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Reading the journal's files whole, safely: only a regular file is read. A folder, a FIFO,
// a device or a socket is refused at once, without reading and without waiting (a FIFO
// with no writer never holds up the start), and so is a file larger than any journal.
namespace RegularFile {

// Nothing larger is read: a journal of ten thousand readings a year for a century is a
// fraction of it, and reading more would only exhaust the memory.
constexpr qint64 sizeLimit = qint64(1) << 30;

struct Content {
    std::optional<QByteArray> bytes; // none when it could not be read
    QString error;                   // then: why, as a Spanish sentence
    FileIdentity identity;           // of what was read
};

Content read(const QString& path, qint64 limit = sizeLimit);

} // namespace RegularFile
