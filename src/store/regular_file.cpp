#include "store/regular_file.h"

#include "store/file_errors.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Whether `info` describes something that may be read: sets `error` when not.
bool readable(const QString& path, const struct stat& info, qint64 limit, QString& error)
{
    if (!S_ISREG(info.st_mode))
        error = FileErrors::notRegular(path, info.st_mode);
    else if (info.st_size > limit)
        error = FileErrors::tooLarge(path, info.st_size);
    return error.isEmpty();
}

} // namespace

namespace RegularFile {

Content read(const QString& path, qint64 limit)
{
    Content content;
    const QByteArray name = QFile::encodeName(path);
    // Looked at before opening: opening a socket fails with a puzzling error, and opening a
    // FIFO for reading would wait for a writer.
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        content.error = FileErrors::readFailure(path, systemText(errno));
        return content;
    }
    if (!readable(path, info, limit, content.error))
        return content;
    // Non-blocking all the same, in case something else took its place in between.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        content.error = FileErrors::readFailure(path, systemText(errno));
        return content;
    }
    QByteArray bytes;
    if (::fstat(fd, &info) == 0 && readable(path, info, limit, content.error)) {
        bytes.resize(qsizetype(info.st_size));
        qsizetype filled = 0;
        // Up to the limit and one byte more, should the file grow while it is read.
        while (content.error.isEmpty()) {
            if (filled == bytes.size()) {
                if (bytes.size() > limit) {
                    content.error = FileErrors::tooLarge(path, bytes.size());
                    break;
                }
                bytes.resize(std::min<qsizetype>(limit + 1, bytes.size() + 65536));
            }
            const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                content.error = FileErrors::readFailure(path, systemText(errno));
            else if (got == 0)
                break;
            else
                filled += got;
        }
        bytes.truncate(filled);
    } else if (content.error.isEmpty()) {
        content.error = FileErrors::readFailure(path, systemText(errno));
    }
    if (content.error.isEmpty()) {
        content.identity = FileIdentity::ofOpenFile(fd, {bytes});
        content.bytes = std::move(bytes);
    }
    ::close(fd);
    return content;
}

} // namespace RegularFile
