#pragma once

#include "app/desktop_save_dialog.h"
#include "app/desktop_sound_player.h"
#include "app/launch_options.h"

#include <QObject>
#include <QStringList>
#include <memory>

class AppStore;
class InstanceChannel;
class JournalLock;
class MainWindow;
class QApplication;
class TarotAppDelegate;

// The application: its launch options, the one store of the process, the main window with
// its menus, and the delegate that activates, photographs and quits.
class ArcandelApp : public QObject {
    Q_OBJECT
public:
    // `arguments` is the whole argument list, program path first.
    ArcandelApp(const QStringList& arguments, const QString& workingDirectory,
                QObject* parent = nullptr);
    ~ArcandelApp() override;

    const LaunchOptions& options() const { return m_options; }
    // The store, created the first time it is needed and kept for the life of the process.
    AppStore* store();
    MainWindow* window() const { return m_window.get(); }
    TarotAppDelegate* delegate() const { return m_delegate; }

    // Takes the journal for this process, before the store reads it. When another Arcandel
    // has it open, asks that one to bring its window forward and returns false: this launch
    // should then end. Preview mode takes nothing.
    bool claimJournal();
    // What this launch says on standard output when another one has the journal.
    QString claimMessage() const { return m_claimMessage; }
    InstanceChannel* channel() const { return m_channel; }

    // Opens the main window and finishes launching (activation, the capture's timer).
    void launch();

    // Application-wide look: the accent colour as the palette's highlight, the window icon.
    static void applyAppearance(QApplication& application);
    static QColor accentColor();
    // Reports a deck that cannot be loaded: the fixed message on standard error and, where
    // there is a screen to show it on, in a dialog. Returns the exit status, 1.
    static int reportDeckFailure(const QString& message);

private:
    QStringList m_arguments;
    LaunchOptions m_options;
    DesktopSoundPlayer m_soundPlayer;
    DesktopSaveDialog m_saveDialog;
    std::unique_ptr<JournalLock> m_lock;
    InstanceChannel* m_channel;
    QString m_claimMessage;
    std::unique_ptr<AppStore> m_store;
    std::unique_ptr<MainWindow> m_window;
    TarotAppDelegate* m_delegate;
};
