// Opens a journal as the application does and prints, on a line each, what the user is told
// at the start and after one save:  store_helper_load <state file>
// Started by the state file test, which waits for it with a deadline: a start that hangs
// then fails the test instead of holding it up.

#include "store/app_store.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2)
        return 2;
    AppStore store(app.arguments().at(1));
    for (int step = 0; step < 2; ++step) {
        std::printf("%s\n", store.error().value_or(QString()).toUtf8().constData());
        std::fflush(stdout);
        store.setError(std::nullopt);
        store.apply(Preferences());
        store.flush();
    }
    return 0;
}
