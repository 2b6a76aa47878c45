#pragma once

#include <QString>
#include <memory>

class QLockFile;

// One process per journal: a lock file beside the state file, held for the life of the
// process. A lock left by a process that died is taken over.
class JournalLock {
public:
    explicit JournalLock(const QString& statePath);
    ~JournalLock();
    JournalLock(const JournalLock&) = delete;
    JournalLock& operator=(const JournalLock&) = delete;

    enum class Result {
        acquired,
        heldElsewhere, // a running process has this journal open
        unavailable,   // no lock can be made there (a read-only folder, say)
    };
    // Creates the state file's folder if needed and takes the lock.
    Result acquire();

    // A name that every process opening this journal derives alike, whatever path leads
    // to it: from the device and inode of the state file's folder and the file's name
    // (from the canonical path while the folder does not exist).
    QString channelName() const;

private:
    QString m_statePath;
    QString m_lockPath;
    std::unique_ptr<QLockFile> m_lock;
};
