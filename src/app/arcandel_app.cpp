#include "app/arcandel_app.h"

#include "app/instance_channel.h"
#include "app/main_window.h"
#include "app/tarot_app_delegate.h"
#include "store/app_store.h"
#include "store/journal_lock.h"
#include "views/kit/typography.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>

// Resources compiled into a static library are only linked in when referenced; this has to
// stay outside any namespace.
static void initApplicationIconResource()
{
    Q_INIT_RESOURCE(app_icon);
}

namespace {

QIcon applicationIcon()
{
    // The installed icon from the desktop's theme, so the window matches the launcher; the
    // copy compiled into the program covers a prefix that no icon theme searches.
    initApplicationIconResource();
    QIcon fallback;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        fallback.addFile(QStringLiteral(":/icons/%1x%1/org.arcandel.Arcandel.png").arg(size),
                         QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("org.arcandel.Arcandel"), fallback);
}

bool hasScreenForDialogs()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QStringLiteral("offscreen") && platform != QStringLiteral("minimal") &&
           platform != QStringLiteral("minimalegl");
}

} // namespace

ArcandelApp::ArcandelApp(const QStringList& arguments, const QString& workingDirectory,
                         QObject* parent)
    : QObject(parent), m_arguments(arguments),
      m_options(LaunchOptions::parse(arguments, workingDirectory)),
      m_channel(new InstanceChannel(this)), m_delegate(new TarotAppDelegate(this))
{
    connect(m_channel, &InstanceChannel::activationRequested, this, [this] {
        if (!m_window)
            return;
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    });
}

ArcandelApp::~ArcandelApp()
{
    // The window observes the store; it goes first. The store waits for its last write,
    // and only then is the journal free for another launch.
    m_window.reset();
    m_store.reset();
    m_lock.reset();
}

bool ArcandelApp::claimJournal()
{
    if (m_options.preview || m_lock)
        return true;
    auto lock = std::make_unique<JournalLock>(m_options.dataPath ? *m_options.dataPath
                                                                 : AppStore::defaultSaveURL());
    switch (lock->acquire()) {
    case JournalLock::Result::acquired:
        m_channel->listen(lock->channelName());
        m_lock = std::move(lock);
        return true;
    case JournalLock::Result::unavailable:
        // Nothing can be written there either; the store says so at the first save.
        return true;
    case JournalLock::Result::heldElsewhere:
        break;
    }
    m_claimMessage = InstanceChannel::askToActivate(lock->channelName(), 2500)
                         ? QStringLiteral("Arcandel ya está abierto con este diario; su ventana "
                                          "ha pasado al frente.")
                         : QStringLiteral("Arcandel ya está abierto con este diario en otra "
                                          "ventana.");
    return false;
}

AppStore* ArcandelApp::store()
{
    if (!m_store) {
        m_store = std::make_unique<AppStore>(m_options.dataPath, m_options.preview);
        m_store->setSoundPlayer(&m_soundPlayer);
        m_store->setSaveDialog(&m_saveDialog);
    }
    return m_store.get();
}

void ArcandelApp::launch()
{
    if (!m_window) {
        m_window = std::make_unique<MainWindow>(store());
        m_saveDialog.setParent(m_window.get());
    }
    m_window->show();
    // Activating now, before the window's sheets open, keeps them above it even where no
    // window manager stacks dialogs over their parents.
    m_delegate->applicationDidFinishLaunching(m_window.get(), m_arguments);
}

QColor ArcandelApp::accentColor()
{
    return Typography::accent();
}

void ArcandelApp::applyAppearance(QApplication& application)
{
    QPalette palette = QApplication::palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, accentColor());
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::Link, accentColor());
    }
    application.setPalette(palette);
    application.setWindowIcon(applicationIcon());
}

int ArcandelApp::reportDeckFailure(const QString& message)
{
    std::fputs(message.toLocal8Bit().constData(), stderr);
    std::fputs("\n", stderr);
    if (hasScreenForDialogs()) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Arcandel"), message,
                        QMessageBox::NoButton);
        box.setTextFormat(Qt::PlainText);
        box.addButton(QStringLiteral("Salir"), QMessageBox::AcceptRole);
        // Nothing else runs: waiting here for the user is the whole remaining program.
        box.exec();
    }
    return 1;
}
