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

    auto* commands = new MenuCommands(store, this);
    commands->install(menuBar());
    connect(commands, &MenuCommands::quitRequested, this, &QWidget::close);
    auto* journal = new JournalCommands(store, this, [this] { return m_content->shownReadings(); });
    connect(commands, &MenuCommands::exportJournalRequested, journal,
            &JournalCommands::exportJournal);
    connect(commands, &MenuCommands::importRequested, journal, &JournalCommands::importJournal);
    connect(commands, &MenuCommands::exportPdfRequested, journal, &JournalCommands::exportPdf);
    connect(commands, &MenuCommands::printRequested, journal, &JournalCommands::print);

    auto* toolBar = new QToolBar(QStringLiteral("Barra de herramientas"), this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->toggleViewAction()->setVisible(false);
    // Both items sit at the trailing end, above the screens they act on.
    auto* spacer = new QWidget(toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolBar->addWidget(spacer);
    toolBar->addAction(commands->newReading());
    toolBar->addAction(m_content->settingsAction());
    addToolBar(Qt::TopToolBarArea, toolBar);
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
