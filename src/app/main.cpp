#include "app/arcandel_app.h"
#include "model/catalog.h"

#include <QApplication>
#include <QDir>
#include <csignal>
#include <cstdio>

int main(int argc, char* argv[])
{
    // A file-size limit then fails the write with a message instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);

    // The launch options are read from the full argument list, before Qt takes its own.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Arcandel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("org.arcandel.Arcandel"));

    if (Catalog::loadError())
        return ArcandelApp::reportDeckFailure(Catalog::deckFailureMessage());

    ArcandelApp::applyAppearance(application);
    ArcandelApp arcandel(arguments, QDir::currentPath());
    if (!arcandel.claimJournal()) {
        std::puts(arcandel.claimMessage().toLocal8Bit().constData());
        return 0;
    }
    arcandel.launch();
    return application.exec();
}
