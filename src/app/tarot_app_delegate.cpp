#include "app/tarot_app_delegate.h"

#include "app/launch_options.h"
#include "app/window_capture.h"
#include "store/app_store.h"
#include "store/export_guard.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QTimer>

TarotAppDelegate::TarotAppDelegate(QObject* parent) : QObject(parent)
{
    QGuiApplication::setQuitOnLastWindowClosed(applicationShouldTerminateAfterLastWindowClosed());
}

void TarotAppDelegate::applicationDidFinishLaunching(QMainWindow* window,
                                                     const QStringList& arguments)
{
    if (window) {
        window->raise();
        window->activateWindow();
    }
    const LaunchOptions options = LaunchOptions::parse(arguments, QDir::currentPath());
    if (!options.capturePath)
        return;
    const QString path = *options.capturePath;
    const bool quit = options.quitAfterCapture;
    // Also in preview mode, which reads no journal: the picture must not replace it.
    const QString statePath = options.dataPath.value_or(AppStore::defaultSaveURL());
    QTimer::singleShot(captureDelayMs, this,
                       [path, quit, statePath] { capture(path, quit, statePath); });
}

bool TarotAppDelegate::capture(const QString& path, bool quitAfterwards, const QString& statePath)
{
    // The first visible window that has content, in the application's window order.
    QWidget* content = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QMainWindow*>(widget);
        if (window && window->isVisible() && window->centralWidget()) {
            content = window->centralWidget();
            break;
        }
    }
    if (!content)
        return false;
    const QImage image = WindowCapture::render(content);
    if (image.isNull())
        return false;
    // A failed write, or a refused one, is not reported.
    if (statePath.isEmpty() || !ExportGuard::refusal(path, statePath))
        WindowCapture::writePng(image, path);
    if (quitAfterwards)
        QCoreApplication::quit();
    return true;
}
