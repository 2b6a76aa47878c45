#include "app/main_window.h"

#include "app/content_view.h"
#include "app/journal_commands.h"
#include "app/menu_commands.h"

#include <QCloseEvent>
#include <QToolBar>

MainWindow::MainWindow(AppStore* store, QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Arcandel"));
    setObjectName(QStringLiteral("mainWindow"));

    m_content = new ContentView(store, this);
    setCentralWidget(m_content);

    m_commands = new MenuCommands(store, this);
    m_commands->install(menuBar());
    connect(m_commands, &MenuCommands::quitRequested, this, &QWidget::close);
    m_journal = new JournalCommands(store, this, [this] { return m_content->shownReadings(); });
    connect(m_commands, &MenuCommands::exportJournalRequested, m_journal,
            &JournalCommands::exportJournal);
    connect(m_commands, &MenuCommands::importRequested, m_journal, &JournalCommands::importJournal);
    connect(m_commands, &MenuCommands::exportPdfRequested, m_journal, &JournalCommands::exportPdf);
    connect(m_commands, &MenuCommands::printRequested, m_journal, &JournalCommands::print);

    m_toolBar = new QToolBar(QStringLiteral("Barra de herramientas"), this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->toggleViewAction()->setVisible(false);
    // Both items sit at the trailing end, above the screens they act on.
    auto* spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    m_toolBar->addAction(m_commands->newReading());
    m_toolBar->addAction(m_content->settingsAction());
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    setContextMenuPolicy(Qt::NoContextMenu);
    setUnifiedTitleAndToolBarOnMac(true);

    resize(defaultSize);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Nothing the user saved is left behind unwritten without asking.
    if (m_content->mayClose())
        event->accept();
    else
        event->ignore();
}
