#include "app/arcandel_app.h"
#include "app/command_line.h"
#include "app/qt_translations.h"
#include "model/catalog.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// A command's output is its summary and its errors: Qt's own notes (a missing runtime
// folder, fonts) would read as failures in a script's log.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fputs(message.toLocal8Bit().constData(), stderr);
}

// A command runs without a window: the core application, or a GUI one on the offscreen
// platform when it draws, so that it needs no display.
int runCommand(int argc, char* argv[], const QStringList& arguments)
{
    qInstallMessageHandler(quietQt);
    std::vector<char*> qtArguments(argv, argv + argc);
    char platformOption[] = "-platform";
    char offscreen[] = "offscreen";
    std::unique_ptr<QCoreApplication> application;
    int qtCount = argc;
    if (CommandLine::needsFonts(arguments)) {
        qtArguments.push_back(platformOption);
        qtArguments.push_back(offscreen);
        qtCount = int(qtArguments.size());
        qtArguments.push_back(nullptr);
        application = std::make_unique<QGuiApplication>(qtCount, qtArguments.data());
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("Arcandel"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (Catalog::loadError()) {
        err << Catalog::deckFailureMessage() << '\n';
        return 1;
    }
    return CommandLine::run(arguments, QDir::currentPath(), out, err);
}

} // namespace

int main(int argc, char* argv[])
{
    // A file-size limit then fails the write with a message instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);

    // The launch options are read from the full argument list, before Qt takes its own.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    if (CommandLine::requested(arguments))
        return runCommand(argc, argv, arguments);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Arcandel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("org.arcandel.Arcandel"));
    QtTranslations::installSpanish(application);

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
