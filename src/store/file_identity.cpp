#include "store/file_identity.h"

#include <QCryptographicHash>
#include <QFile>
#include <ctime>
#include <sys/stat.h>

namespace {

qint64 nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileIdentity fromStat(const struct stat& info)
{
    FileIdentity identity;
    identity.exists = true;
    identity.device = quint64(info.st_dev);
    identity.inode = quint64(info.st_ino);
    identity.size = qint64(info.st_size);
    identity.modifiedNs = nanoseconds(info.st_mtim);
    return identity;
}

} // namespace

QByteArray FileIdentity::hashOf(const QList<QByteArray>& content)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QByteArray& part : content)
        hash.addData(part);
    return hash.result();
}

FileIdentity FileIdentity::ofOpenFile(int fd, const QList<QByteArray>& content)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return {};
    FileIdentity identity = fromStat(info);
    // File systems stamp modifications with a coarse clock. Once that clock has passed our
    // stamp, any later change gets a later one; until then a change could share it.
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    if (nanoseconds(now) <= identity.modifiedNs)
        identity.contentHash = hashOf(content);
    return identity;
}

FileIdentity FileIdentity::at(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return fromStat(info);
}

bool FileIdentity::stillAt(const QString& path, const FileIdentity& expected)
{
    FileIdentity now = at(path);
    if (!now.exists || !expected.exists)
        return now.exists == expected.exists;
    now.contentHash = expected.contentHash;
    if (!(now == expected))
        return false;
    if (expected.contentHash.isEmpty())
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return false;
    return hash.result() == expected.contentHash;
}
