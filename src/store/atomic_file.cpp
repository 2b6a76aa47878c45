#include "store/atomic_file.h"

#include "store/file_errors.h"
#include "store/file_identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

namespace {

QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Hands every byte of `parts` to the file, or returns the errno of the failure. Short writes
// (a full disk, a size limit) continue until the system says why it cannot go on.
int writeAll(int fd, const QList<QByteArray>& parts)
{
    std::vector<iovec> pending;
    pending.reserve(size_t(parts.size()));
    for (const QByteArray& part : parts) {
        if (!part.isEmpty())
            pending.push_back(iovec{const_cast<char*>(part.constData()), size_t(part.size())});
    }
    size_t first = 0;
    while (first < pending.size()) {
        const int count = int(std::min<size_t>(pending.size() - first, IOV_MAX));
        const ssize_t written = ::writev(fd, pending.data() + first, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        size_t left = size_t(written);
        while (left > 0 && left >= pending[first].iov_len)
            left -= pending[first++].iov_len;
        if (left > 0) {
            pending[first].iov_base = static_cast<char*>(pending[first].iov_base) + left;
            pending[first].iov_len -= left;
        }
    }
    return 0;
}

} // namespace

namespace AtomicFile {

std::optional<QString> write(const QString& path, const QByteArray& bytes)
{
    return write(path, QList<QByteArray>{bytes});
}

std::optional<QString> write(const QString& path, const QList<QByteArray>& parts,
                             FileIdentity* written)
{
    if (written)
        *written = {};
    // A folder, FIFO or device at the path (or at the end of a link there) is never replaced.
    struct stat existing {};
    const bool replacing = ::stat(QFile::encodeName(path).constData(), &existing) == 0;
    if (replacing && !S_ISREG(existing.st_mode))
        return FileErrors::notRegular(path, existing.st_mode);
    QSaveFile file(path);
    // Never fall back to writing in place: a failure must leave the old file whole.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileErrors::writeFailure(path, file.errorString());
    // QSaveFile gives a replaced file's mode to the new one, and the umask's to a new file:
    // a journal and its exports are private.
    if (!replacing && ::fchmod(file.handle(), S_IRUSR | S_IWUSR) != 0) {
        const int error = errno;
        file.cancelWriting();
        return FileErrors::writeFailure(path, systemText(error));
    }
    // Written to the temporary file's descriptor directly: QFileDevice reports a short write
    // in its final flush to nobody, and commit() would then put a truncated file in place
    // and report success.
    if (const int error = writeAll(file.handle(), parts)) {
        file.cancelWriting();
        return FileErrors::writeFailure(path, systemText(error));
    }
    // commit() syncs too but ignores the result; a failure to reach the disk is a failure.
    if (::fsync(file.handle()) != 0) {
        const int error = errno;
        file.cancelWriting();
        return FileErrors::writeFailure(path, systemText(error));
    }
    // Renaming keeps the inode, size and modification time taken here.
    const FileIdentity identity = FileIdentity::ofOpenFile(file.handle(), parts);
    if (!file.commit())
        return FileErrors::writeFailure(path, file.errorString());
    if (written)
        *written = identity;
    // The rename is only durable once the folder is: a power cut could otherwise bring back
    // the previous file, or none. QSaveFile follows a link to the file it replaces.
    const QFileInfo info(path);
    const QString target = info.canonicalFilePath();
    if (const int error =
            syncFolder(target.isEmpty() ? info.absolutePath() : QFileInfo(target).absolutePath()))
        return FileErrors::writeFailure(path, systemText(error));
    return std::nullopt;
}

NewFile writeNew(const QString& path, const QByteArray& bytes, unsigned mode)
{
    const QFileInfo info(path);
    QTemporaryFile temporary(info.absoluteDir().filePath(QStringLiteral(".arcandel-XXXXXX")));
    if (!temporary.open() || ::fchmod(temporary.handle(), mode & 07777) != 0 ||
        writeAll(temporary.handle(), {bytes}) != 0 || ::fsync(temporary.handle()) != 0)
        return NewFile::failed;
    // A hard link never replaces an existing name and never follows a link found there, and
    // it shows the copy whole or not at all.
    if (::link(QFile::encodeName(temporary.fileName()).constData(),
               QFile::encodeName(path).constData()) != 0)
        return errno == EEXIST ? NewFile::exists : NewFile::failed;
    temporary.remove();
    return syncFolder(info.absolutePath()) == 0 ? NewFile::written : NewFile::failed;
}

bool makeFolders(const QString& folder)
{
    QStringList missing;
    QString current = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!QFileInfo::exists(current)) {
        missing.prepend(current);
        const QString parent = QFileInfo(current).path();
        if (parent == current)
            break;
        current = parent;
    }
    for (const QString& path : std::as_const(missing)) {
        if (::mkdir(QFile::encodeName(path).constData(), S_IRWXU) != 0 && errno != EEXIST)
            return false;
    }
    return QFileInfo(folder).isDir();
}

int syncFolder(const QString& folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = 0;
    // A file system that cannot sync a folder (EINVAL) keeps its entries as it can.
    if (::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    ::close(fd);
    return error;
}

std::optional<QString> writeWithoutSync(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    QByteArray temporary = QFile::encodeName(info.absoluteDir().filePath(
        QLatin1Char('.') + info.fileName() + QStringLiteral(".XXXXXX")));
    // mkstemp creates the file for its owner only.
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return FileErrors::writeFailure(path, systemText(errno));
    int error = writeAll(fd, {bytes});
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0)
        error = errno;
    if (error == 0)
        return std::nullopt;
    ::unlink(temporary.constData());
    return FileErrors::writeFailure(path, systemText(error));
}

} // namespace AtomicFile
