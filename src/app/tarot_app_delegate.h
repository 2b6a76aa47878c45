#pragma once

#include <QObject>
#include <QStringList>

class QMainWindow;

// What happens around the window's life: activation when launching has finished, the
// capture 3.0 seconds later, and quitting when the window closes.
class TarotAppDelegate : public QObject {
    Q_OBJECT
public:
    static constexpr int captureDelayMs = 3000;

    explicit TarotAppDelegate(QObject* parent = nullptr);

    // Brings the application to the front and, with "--capture" FILE, schedules the capture.
    void applicationDidFinishLaunching(QMainWindow* window, const QStringList& arguments);
    // Closing the only window ends the application.
    static bool applicationShouldTerminateAfterLastWindowClosed() { return true; }

    // The capture itself: photographs the first visible main window's content into `path`
    // and, when asked to, quits. Returns whether a window was photographed. A `path` that is
    // the journal at `statePath` or one of its copies is not written, like any path that
    // cannot be written.
    static bool capture(const QString& path, bool quitAfterwards, const QString& statePath = {});
};
