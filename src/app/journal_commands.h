#pragma once

#include "app/export_journal_dialog.h"
#include "model/reading.h"
#include "store/journal_transfer.h"

#include <QFileDialog>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QUuid>
#include <functional>
#include <memory>
#include <optional>

class AppStore;
class QPrinter;
class QWidget;

// The window's side of taking the journal out and bringing it back: the export dialog, the
// import with its dry run and its questions, a reading as a PDF and on paper. Every dialog is
// opened with open() and answered when it finishes; the work itself is the store's.
class JournalCommands : public QObject {
    Q_OBJECT
public:
    // `shown` gives the identifiers of the readings the history screen shows now, or none
    // when it is not open.
    using ShownReadings = std::function<std::optional<QList<QUuid>>()>;
    JournalCommands(AppStore* store, QWidget* window, ShownReadings shown);
    ~JournalCommands() override;

    void exportJournal();
    void importJournal();
    void exportPdf();
    void print();

    // The steps after a file dialog, also for tests: export the readings the export dialog
    // chose to `target`; import what is at `path` (dry run first).
    void exportTo(const QList<Reading>& readings, JournalTransfer::Format format,
                  const QString& target);
    void importFrom(const QString& path);

    // The dialog or message box open now, if any.
    ExportJournalDialog* exportDialog() const { return m_exportDialog; }
    QMessageBox* messageBox() const { return m_box; }
    QFileDialog* fileDialog() const { return m_fileDialog; }

private:
    QMessageBox* openBox(const QString& name, const QString& title, const QString& message,
                         bool warning);
    void chooseFile(QFileDialog* dialog, std::function<void(const QString&)> chosen);
    void importReadings(const QList<Reading>& readings);

    AppStore* m_store;
    QWidget* m_window;
    ShownReadings m_shown;
    QPointer<ExportJournalDialog> m_exportDialog;
    QPointer<QMessageBox> m_box;
    QPointer<QFileDialog> m_fileDialog;
    std::unique_ptr<QPrinter> m_printer; // while the print dialog is open
};
