// Types in the notebook of a saved reading without end, until it is killed. Started by the
// crash test:  store_helper_persist_loop <state file> <run>
// It takes the journal's lock as the application does, loads the state file, puts the first
// reading on the table and types its notes "<run>-1", "<run>-2", ... one key a millisecond.
// The notes are written on the store's own schedule sped up fifty times, so that writes
// follow one another; after each write it prints "written <notes>", the notes that write held.

#include "store/app_store.h"
#include "store/journal_lock.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace {

class FastAlarm final : public Alarm {
public:
    explicit FastAlarm(AppStore& store) : m_store(store)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            const QString notes = m_store.current()->notes;
            m_ring();
            m_store.waitForWriter(60000);
            std::printf("written %s\n", notes.toUtf8().constData());
            std::fflush(stdout);
        });
    }
    void start(int milliseconds, std::function<void()> ring) override
    {
        m_ring = std::move(ring);
        m_timer.start(milliseconds / 50);
    }
    void stop() override { m_timer.stop(); }
    bool active() const override { return m_timer.isActive(); }

private:
    AppStore& m_store;
    QTimer m_timer;
    std::function<void()> m_ring;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return 2;
    JournalLock lock(arguments.at(1));
    if (lock.acquire() != JournalLock::Result::acquired)
        return 5;
    AppStore store(arguments.at(1));
    if (store.error() || store.history().isEmpty())
        return 3;
    FastAlarm alarm(store);
    store.setNotesAlarm(&alarm);
    store.restore(store.history().first());
    std::printf("ready\n");
    std::fflush(stdout);
    qint64 key = 0;
    QTimer typing;
    QObject::connect(&typing, &QTimer::timeout, &typing, [&] {
        store.updateNotes(arguments.at(2) + QLatin1Char('-') + QString::number(++key));
        if (store.error())
            std::exit(4);
    });
    typing.start(1);
    return app.exec();
}
