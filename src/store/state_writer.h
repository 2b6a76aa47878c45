#pragma once

#include "store/file_identity.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

// Writes the state file on a thread of its own, one document at a time and in the order
// given. When documents arrive faster than they are written, only the newest waiting one is
// written. Before each write it checks that the file on disk is still the one this process
// last read or wrote; a version changed by another program is first copied aside. Other
// work on the journal's files (backups, replacing the file with a backup) runs on the same
// thread, in its turn, so it never races a write.
//
// Documents are handed over as implicitly shared byte arrays that neither side changes
// afterwards; everything else the two threads share is guarded by one mutex.
class StateWriter {
public:
    struct Outcome {
        quint64 sequence = 0;
        std::optional<QString> failure; // a Spanish sentence
        QString conflictCopy;           // where another program's version was kept
    };

    // `onDisk`: what this process found at `path` when it read it. `wake` runs on the
    // writer's thread after each write and must only hand the news over.
    StateWriter(QString path, FileIdentity onDisk, std::function<void()> wake);
    // Writes what is waiting, then stops.
    ~StateWriter();
    StateWriter(const StateWriter&) = delete;
    StateWriter& operator=(const StateWriter&) = delete;

    // Queues `document` in place of a document still waiting last in the queue; returns
    // its number.
    quint64 submit(QList<QByteArray> document);
    // A piece of work on the journal's files. It is given what this process last read or
    // wrote at the path, and updates it when it replaces the file.
    using Job = std::function<void(FileIdentity& onDisk)>;
    // Queues `job` after everything queued so far.
    void post(Job job);
    // Runs `job` after everything queued so far and waits for it.
    void run(Job job);
    // Waits until nothing is waiting or being written, at most `timeoutMs`; returns whether
    // that happened.
    bool waitUntilIdle(int timeoutMs);
    bool idle() const;
    // Forgets the waiting document (a write under way finishes).
    void discardWaiting();
    // The outcomes of finished writes since the last call, oldest first.
    QList<Outcome> takeOutcomes();
    // How many writes were attempted in all.
    qint64 attempts() const;

private:
    struct Item {
        quint64 sequence = 0; // of a document
        QList<QByteArray> document;
        Job job;
    };

    void loop();
    Outcome write(quint64 sequence, const QList<QByteArray>& document);

    const QString m_path;
    const std::function<void()> m_wake;
    FileIdentity m_onDisk; // writer thread only, after construction

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Item> m_queue;
    quint64 m_lastSequence = 0;
    quint64 m_jobsPosted = 0;
    quint64 m_jobsDone = 0;
    bool m_writing = false;
    bool m_stopping = false;
    qint64 m_attempts = 0;
    QList<Outcome> m_outcomes;
    std::thread m_thread;
};
