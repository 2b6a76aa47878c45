#pragma once

#include <QObject>

class AppStore;
class QAction;
class QMenu;
class QMenuBar;

// The menu-bar commands. Every action calls the one store; the reading commands are
// enabled while they make sense and follow the store at every change.
class MenuCommands : public QObject {
    Q_OBJECT
public:
    explicit MenuCommands(AppStore* store, QObject* parent = nullptr);

    // Adds the "Archivo" and "Tirada" menus to `bar`.
    void install(QMenuBar* bar);

    QAction* newReading() const { return m_newReading; }
    QAction* preferences() const { return m_preferences; }
    QAction* quit() const { return m_quit; }
    QAction* revealNext() const { return m_revealNext; }
    QAction* revealAll() const { return m_revealAll; }
    QAction* save() const { return m_save; }
    QAction* exportReading() const { return m_export; }
    QAction* exportJournal() const { return m_exportJournal; }
    QAction* importJournal() const { return m_import; }
    QAction* exportPdf() const { return m_exportPdf; }
    QAction* print() const { return m_print; }

Q_SIGNALS:
    // "Salir" was chosen; the window closes, which ends the application.
    void quitRequested();
    // The commands that open dialogs of the window's own.
    void exportJournalRequested();
    void importRequested();
    void exportPdfRequested();
    void printRequested();

private:
    void updateEnabled();

    AppStore* m_store;
    QAction* m_newReading;
    QAction* m_preferences;
    QAction* m_restore;
    QAction* m_quit;
    QAction* m_revealNext;
    QAction* m_revealAll;
    QAction* m_save;
    QAction* m_export;
    QAction* m_exportJournal;
    QAction* m_import;
    QAction* m_exportPdf;
    QAction* m_print;
};
