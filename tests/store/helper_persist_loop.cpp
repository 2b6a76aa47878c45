// Types in the notebook of a saved reading without end, until it is killed. Started by the
// crash test:  store_helper_persist_loop <state file> <run>
// It takes the journal's lock as the application does, loads the state file, puts the first
// reading on the table and types its notes "<run>-1", "<run>-2", ... Every twenty keys it
// writes what waits and, once the writer has finished, prints "written <notes>".

#include "store/app_store.h"
#include "store/journal_lock.h"

#include <QCoreApplication>
#include <cstdio>

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
    store.restore(store.history().first());
    for (qint64 key = 1;; ++key) {
        const QString notes = arguments.at(2) + QLatin1Char('-') + QString::number(key);
        store.updateNotes(notes);
        if (key % 20 != 0)
            continue;
        if (!store.flush(60000))
            return 4;
        std::printf("written %s\n", notes.toUtf8().constData());
        std::fflush(stdout);
    }
}
