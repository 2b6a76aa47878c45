#include "store/atomic_file.h"

#include "store/file_errors.h"

#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace AtomicFile {

std::optional<QString> write(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Never fall back to writing in place: a failure must leave the old file whole.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that every failure surfaces here. Through QFileDevice's buffer a short
    // write in the final flush goes unnoticed, and commit() then puts a truncated file in
    // place and reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileErrors::writeFailure(path, file.errorString());
    qint64 done = 0;
    while (done < bytes.size()) {
        // A short write (a full disk, a size limit) is followed by one that reports why.
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return FileErrors::writeFailure(path, reason);
        }
        done += written;
    }
    // commit() syncs too but ignores the result; a failure to reach the disk is a failure.
    if (::fsync(file.handle()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        file.cancelWriting();
        return FileErrors::writeFailure(path, reason);
    }
    if (!file.commit())
        return FileErrors::writeFailure(path, file.errorString());
    return std::nullopt;
}

} // namespace AtomicFile
