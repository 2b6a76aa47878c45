#include "store/state_writer.h"

#include "store/file_errors.h"
#include "store/state_file.h"

#include <QDateTime>
#include <QDir>
#include <chrono>

StateWriter::StateWriter(QString path, FileIdentity onDisk, std::function<void()> wake)
    : m_path(std::move(path)), m_wake(std::move(wake)), m_onDisk(std::move(onDisk)),
      m_thread([this] { run(); })
{}

StateWriter::~StateWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

quint64 StateWriter::submit(QList<QByteArray> document)
{
    quint64 sequence = 0;
    {
        std::lock_guard lock(m_mutex);
        m_waiting = std::move(document);
        sequence = m_waitingSequence = ++m_lastSequence;
    }
    m_changed.notify_all();
    return sequence;
}

bool StateWriter::waitUntilIdle(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [this] { return !m_waiting && !m_writing; });
}

bool StateWriter::idle() const
{
    std::lock_guard lock(m_mutex);
    return !m_waiting && !m_writing;
}

void StateWriter::discardWaiting()
{
    {
        std::lock_guard lock(m_mutex);
        m_waiting.reset();
    }
    m_changed.notify_all();
}

QList<StateWriter::Outcome> StateWriter::takeOutcomes()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_outcomes, {});
}

qint64 StateWriter::attempts() const
{
    std::lock_guard lock(m_mutex);
    return m_attempts;
}

void StateWriter::run()
{
    while (true) {
        QList<QByteArray> document;
        quint64 sequence = 0;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_waiting || m_stopping; });
            if (!m_waiting)
                return;
            document = std::move(*m_waiting);
            m_waiting.reset();
            sequence = m_waitingSequence;
            m_writing = true;
            ++m_attempts;
        }
        Outcome outcome = write(sequence, document);
        // The parts go while no lock is held: their last owner may be this thread.
        document.clear();
        {
            std::lock_guard lock(m_mutex);
            m_outcomes.append(std::move(outcome));
            m_writing = false;
        }
        m_changed.notify_all();
        if (m_wake)
            m_wake();
    }
}

StateWriter::Outcome StateWriter::write(quint64 sequence, const QList<QByteArray>& document)
{
    Outcome outcome;
    outcome.sequence = sequence;
    if (!FileIdentity::stillAt(m_path, m_onDisk)) {
        const FileIdentity theirs = FileIdentity::at(m_path);
        if (theirs.exists) {
            const StateFile::SetAsideResult copy = StateFile::setAside(
                m_path, QDateTime::currentSecsSinceEpoch(), StateFile::Copy::conflict);
            if (!copy.secured) {
                outcome.failure = QStringLiteral("Otro programa ha cambiado «") +
                                  QDir::toNativeSeparators(m_path) +
                                  QStringLiteral("», y esa versión no se pudo copiar aparte; no "
                                                 "se sustituye para no perder su contenido.");
                return outcome;
            }
            outcome.conflictCopy = copy.copyPath;
        }
        // Their version is safe in its copy: from now on it is the one ours replaces.
        m_onDisk = theirs;
    }
    FileIdentity written;
    outcome.failure = StateFile::write(m_path, document, &written);
    if (!outcome.failure)
        m_onDisk = written;
    return outcome;
}
