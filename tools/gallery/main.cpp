// Renders every screen of Arcandel in named states into PNG files, for a person to look at
// after a build: arcandel-gallery [FOLDER]. Ends with status 1 when a picture could not be
// made, so a screen that crashes or paints nothing fails the run that renders it.
#include "app/qt_translations.h"
#include "gallery.h"
#include "model/catalog.h"

#include <QApplication>
#include <QPalette>
#include <QTextStream>

namespace {

// The offscreen platform says for every window that it cannot pass size hints on; that is
// expected where there is no window manager, and would bury a real problem.
void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    QTextStream(stderr) << qFormatLogMessage(type, context, message) << '\n';
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(quietPlatformNotes);
    QApplication app(argc, argv);
    QtTranslations::installSpanish(app);
    const QStringList arguments = QApplication::arguments();
    Gallery::setFolder(arguments.size() > 1 ? arguments.at(1)
                                            : QStringLiteral(ARCANDEL_GALLERY_DIR));
    if (Catalog::loadError()) {
        QTextStream(stderr) << "gallery: the deck cannot be loaded\n";
        return 1;
    }
    const QPalette palette = QApplication::palette();
    for (const auto& group : {Gallery::screens, Gallery::patterns, Gallery::shell, Gallery::table,
                              Gallery::journal, Gallery::ownDeck}) {
        QApplication::setPalette(palette);
        group();
    }
    QTextStream(stdout) << "gallery: pictures in " << Gallery::folder() << '\n';
    return Gallery::failures() == 0 ? 0 : 1;
}
