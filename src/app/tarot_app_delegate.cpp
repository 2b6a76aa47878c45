#include "app/tarot_app_delegate.h"

#include "app/launch_options.h"
#include "app/window_capture.h"

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
    QTimer::singleShot(captureDelayMs, this, [path, quit] { capture(path, quit); });
}

bool TarotAppDelegate::capture(const QString& path, bool quitAfterwards)
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
    WindowCapture::writePng(image, path); // a failed write is not reported
    if (quitAfterwards)
        QCoreApplication::quit();
    return true;
}
