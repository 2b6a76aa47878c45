#pragma once

#include <QString>
#include <optional>

// Spanish descriptions of file-system failures, as whole sentences ending with a period.
// Qt reports failures with English system texts; the user reads Spanish, so the common
// causes are recognised (by looking at the files themselves and at the system text) and
// described in their own words, naming the file or folder involved.
namespace FileErrors {

// Why `path` could not be opened or read; `systemText` is Qt's error string.
QString readFailure(const QString& path, const QString& systemText);

// Why the folder `folder` could not be created.
QString folderFailure(const QString& folder);

// Why writing `path` (atomically, through a temporary file beside it) failed.
QString writeFailure(const QString& path, const QString& systemText);

// Why `path`, which exists, is not read or replaced: it is no regular file but what the
// file type bits of `mode` (from stat) say.
QString notRegular(const QString& path, unsigned mode);

// Why the file at `path`, of `size` bytes, is not read: it is larger than any journal.
QString tooLarge(const QString& path, qint64 size);

// The Spanish sentence for a system error text Qt produced from errno, or none when the
// text is not one of the recognised causes.
std::optional<QString> systemErrorSentence(const QString& systemText);

// `sentence` without its final period, for messages that continue after it.
QString withoutFinalPeriod(QString sentence);

} // namespace FileErrors
