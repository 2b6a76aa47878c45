#include "store/journal_lock.h"

#include "store/atomic_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The state file itself when it is a link to another place.
QString resolved(const QString& path)
{
    const QFileInfo info(path);
    const QString target = info.exists() ? info.canonicalFilePath() : QString();
    return target.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : target;
}

} // namespace

JournalLock::JournalLock(const QString& statePath) : m_statePath(resolved(statePath))
{
    const QFileInfo info(m_statePath);
    m_lockPath =
        info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".lock"));
}

JournalLock::~JournalLock() = default;

JournalLock::Result JournalLock::acquire()
{
    AtomicFile::makeFolders(QFileInfo(m_statePath).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Held for as long as the process lives, however long that is; only a dead owner's
    // lock is stale.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        QFile::setPermissions(m_lockPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return Result::acquired;
    }
    const QLockFile::LockError error = m_lock->error();
    m_lock.reset();
    return error == QLockFile::LockFailedError ? Result::heldElsewhere : Result::unavailable;
}

QString JournalLock::channelName() const
{
    const QFileInfo info(m_statePath);
    QByteArray identity;
    struct stat folder {};
    if (::stat(QFile::encodeName(info.absolutePath()).constData(), &folder) == 0)
        identity = QByteArray::number(quint64(folder.st_dev)) + ':' +
                   QByteArray::number(quint64(folder.st_ino)) + '/' + info.fileName().toUtf8();
    else
        identity = m_statePath.toUtf8();
    const QByteArray digest =
        QCryptographicHash::hash(identity, QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("arcandel-") + QString::number(::getuid()) + QLatin1Char('-') +
           QString::fromLatin1(digest);
}
