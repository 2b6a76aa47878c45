#include "store/state_writer.h"

#include "store/file_errors.h"
#include "store/state_file.h"

#include <QDateTime>
#include <QDir>
#include <chrono>

StateWriter::StateWriter(QString path, FileIdentity onDisk, std::function<void()> wake)
    : m_path(std::move(path)), m_wake(std::move(wake)), m_onDisk(std::move(onDisk)),
      m_thread([this] { loop(); })
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
        sequence = ++m_lastSequence;
        if (m_queue.empty() || m_queue.back().job)
            m_queue.push_back(Item{});
        m_queue.back().sequence = sequence;
        m_queue.back().document = std::move(document);
    }
    m_changed.notify_all();
    return sequence;
}

void StateWriter::post(Job job)
{
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(Item{0, {}, std::move(job)});
        ++m_jobsPosted;
    }
    m_changed.notify_all();
}

void StateWriter::run(Job job)
{
    std::unique_lock lock(m_mutex);
    m_queue.push_back(Item{0, {}, std::move(job)});
    const quint64 mine = ++m_jobsPosted;
    lock.unlock();
    m_changed.notify_all();
    lock.lock();
    m_changed.wait(lock, [&] { return m_jobsDone >= mine; });
}

bool StateWriter::waitUntilIdle(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [this] { return m_queue.empty() && !m_writing; });
}

bool StateWriter::idle() const
{
    std::lock_guard lock(m_mutex);
    return m_queue.empty() && !m_writing;
}

void StateWriter::discardWaiting()
{
    {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_queue, [](const Item& item) { return !item.job; });
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

void StateWriter::loop()
{
    while (true) {
        Item item;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_queue.empty() || m_stopping; });
            if (m_queue.empty())
                return;
            item = std::move(m_queue.front());
            m_queue.pop_front();
            m_writing = true;
            if (!item.job)
                ++m_attempts;
        }
        if (item.job) {
            item.job(m_onDisk);
            item.job = nullptr;
            {
                std::lock_guard lock(m_mutex);
                ++m_jobsDone;
                m_writing = false;
            }
            m_changed.notify_all();
            continue;
        }
        Outcome outcome = write(item.sequence, item.document);
        // The parts go while no lock is held: their last owner may be this thread.
        item.document.clear();
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
    // In place even when only syncing its folder failed: from now on it is ours.
    if (written.exists)
        m_onDisk = written;
    return outcome;
}
