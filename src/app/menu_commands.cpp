#include "app/menu_commands.h"

#include "store/app_store.h"
#include "views/kit/icons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* makeAction(const QString& text, const QKeySequence& shortcut, QObject* parent)
{
    auto* action = new QAction(text, parent);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    // Linux keeps every item where it is placed; no platform menu moves it.
    action->setMenuRole(QAction::NoRole);
    return action;
}

} // namespace

MenuCommands::MenuCommands(AppStore* store, QObject* parent) : QObject(parent), m_store(store)
{
    m_newReading =
        makeAction(QStringLiteral("Nueva tirada"), QKeySequence(Qt::CTRL | Qt::Key_N), this);
    m_newReading->setIcon(Icons::icon(QStringLiteral("plus")));
    m_newReading->setIconVisibleInMenu(false);
    m_preferences = makeAction(QStringLiteral("Configuración de la tirada…"),
                               QKeySequence(Qt::CTRL | Qt::Key_Comma), this);
    m_restore = makeAction(QStringLiteral("Restaurar una copia…"), {}, this);
    // Preview mode never reads the journal's copies.
    m_restore->setEnabled(!store->preview());
    m_quit = makeAction(QStringLiteral("Salir"), QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    m_revealNext = makeAction(QStringLiteral("Descubrir siguiente carta"), {}, this);
    m_revealAll = makeAction(QStringLiteral("Descubrir todas"), {}, this);
    m_save = makeAction(QStringLiteral("Guardar tirada"), QKeySequence(Qt::CTRL | Qt::Key_S), this);
    m_export =
        makeAction(QStringLiteral("Exportar lectura…"), QKeySequence(Qt::CTRL | Qt::Key_E), this);

    m_exportJournal = makeAction(QStringLiteral("Exportar cuaderno…"),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), this);
    m_import = makeAction(QStringLiteral("Importar…"), {}, this);
    m_exportPdf = makeAction(QStringLiteral("Exportar como PDF…"), {}, this);
    m_print = makeAction(QStringLiteral("Imprimir…"), QKeySequence(Qt::CTRL | Qt::Key_P), this);
    connect(m_exportJournal, &QAction::triggered, this, &MenuCommands::exportJournalRequested);
    connect(m_import, &QAction::triggered, this, &MenuCommands::importRequested);
    connect(m_exportPdf, &QAction::triggered, this, &MenuCommands::exportPdfRequested);
    connect(m_print, &QAction::triggered, this, &MenuCommands::printRequested);

    connect(m_newReading, &QAction::triggered, this, [this] { m_store->requestNew(); });
    connect(m_preferences, &QAction::triggered, this,
            [this] { m_store->setShowPreferences(true); });
    connect(m_restore, &QAction::triggered, this, [this] { m_store->setShowRestore(true); });
    connect(m_quit, &QAction::triggered, this, &MenuCommands::quitRequested);
    connect(m_revealNext, &QAction::triggered, this, [this] {
        if (const auto& current = m_store->current(); current && !current->complete())
            m_store->reveal(static_cast<int>(current->revealed));
    });
    connect(m_revealAll, &QAction::triggered, this, [this] {
        if (const auto& current = m_store->current(); current && !current->complete())
            m_store->revealAll();
    });
    connect(m_save, &QAction::triggered, this, [this] {
        if (const auto& current = m_store->current(); current && current->complete())
            m_store->saveCurrent();
    });
    connect(m_export, &QAction::triggered, this, [this] {
        if (const auto& current = m_store->current(); current && current->complete())
            m_store->exportCurrent();
    });

    connect(m_store, &AppStore::currentChanged, this, &MenuCommands::updateEnabled);
    connect(m_store, &AppStore::historyChanged, this, &MenuCommands::updateEnabled);
    updateEnabled();
}

void MenuCommands::install(QMenuBar* bar)
{
    QMenu* file = bar->addMenu(QStringLiteral("&Archivo"));
    file->addAction(m_newReading);
    file->addAction(m_preferences);
    file->addSeparator();
    file->addAction(m_exportJournal);
    file->addAction(m_import);
    file->addAction(m_restore);
    file->addSeparator();
    file->addAction(m_quit);

    QMenu* reading = bar->addMenu(QStringLiteral("&Tirada"));
    reading->addAction(m_revealNext);
    reading->addAction(m_revealAll);
    reading->addSeparator();
    reading->addAction(m_save);
    reading->addAction(m_export);
    reading->addAction(m_exportPdf);
    reading->addAction(m_print);
}

void MenuCommands::updateEnabled()
{
    const std::optional<Reading>& current = m_store->current();
    const bool unfinished = current && !current->complete();
    const bool complete = current && current->complete();
    m_revealNext->setEnabled(unfinished);
    m_revealAll->setEnabled(unfinished);
    m_save->setEnabled(complete);
    m_export->setEnabled(complete);
    // Preview mode shows sample data and writes no file at all.
    const bool writes = !m_store->preview();
    m_exportPdf->setEnabled(complete && writes);
    m_print->setEnabled(complete && writes);
    m_exportJournal->setEnabled(writes && !m_store->history().isEmpty());
    m_import->setEnabled(writes);
}
