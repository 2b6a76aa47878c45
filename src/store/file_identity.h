#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What the state file on disk was when this process last read or wrote it, to tell whether
// another program has changed it since. Device, inode, size and modification time decide;
// when the modification time cannot rule out a change within the same clock tick, a hash of
// the content settles it.
struct FileIdentity {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    // Set when a change right after ours could have kept the same modification time.
    QByteArray contentHash;

    bool operator==(const FileIdentity&) const = default;

    // The identity of the open file `fd`, whose content is `content` (in parts). The hash is
    // only computed when the clock has not yet moved past the file's modification time.
    static FileIdentity ofOpenFile(int fd, const QList<QByteArray>& content);
    // Whether the file at `path` is still the one described by `expected`. Reads the file
    // only when the hash has to settle it.
    static bool stillAt(const QString& path, const FileIdentity& expected);
    // What is at `path` now, with no hash.
    static FileIdentity at(const QString& path);

    static QByteArray hashOf(const QList<QByteArray>& content);
};
