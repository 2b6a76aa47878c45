// Rewrites a large state file over and over until it is killed. Started by the crash test:
//   store_helper_persist_loop <state file> <run>
// It loads the state file, puts its first reading on the table and changes that reading's
// notes to "<run>-1", "<run>-2", ... Each change rewrites the whole file; after each write
// returns, the helper prints the notes it wrote on a line of its own.

#include "store/app_store.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return 2;
    AppStore store(arguments.at(1));
    if (store.error() || store.history().isEmpty())
        return 3;
    store.restore(store.history().first());
    std::printf("ready\n");
    std::fflush(stdout);
    for (qint64 i = 1;; ++i) {
        const QString notes = arguments.at(2) + QLatin1Char('-') + QString::number(i);
        store.updateNotes(notes);
        if (store.error())
            return 4;
        std::printf("%s\n", notes.toUtf8().constData());
        std::fflush(stdout);
    }
}
