#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// The line between two launches of Arcandel on one journal: the running one listens, and a
// later one asks it to bring its window forward.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QObject* parent = nullptr);

    // Starts listening under `name` (the journal lock, held by this process, makes any
    // socket left there by a dead process ours to replace).
    bool listen(const QString& name);

    // Asks the process listening under `name` to come forward; waits at most `timeoutMs`,
    // also for a process still starting. Returns whether it answered.
    static bool askToActivate(const QString& name, int timeoutMs);

Q_SIGNALS:
    void activationRequested();

private:
    QLocalServer* m_server = nullptr;
};
