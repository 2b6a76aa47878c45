#include "app/journal_commands.h"

#include "app/alerts.h"
#include "app/desktop_save_dialog.h"
#include "app/export_journal_dialog.h"
#include "store/app_store.h"
#include "store/journal_markdown.h"
#include "views/kit/typography.h"
#include "views/table/reading_page.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>

namespace {

QString readings(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 tirada")
                      : QString::number(count) + QStringLiteral(" tiradas");
}

QString quoted(const QString& path)
{
    return QStringLiteral("«") + QDir::toNativeSeparators(path) + QStringLiteral("»");
}

// A long list (the files that failed, the readings kept) in a scrolling box between the
// message and the buttons, as plain text.
void addList(QMessageBox* box, const QString& text)
{
    constexpr int width = 520;
    auto* list = new QPlainTextEdit(text, box);
    list->setObjectName(QStringLiteral("list"));
    list->setReadOnly(true);
    list->setFont(Typography::font(Typography::Style::callout));
    list->setAccessibleName(QStringLiteral("Detalles"));
    // As high as its lines need, up to ten of them; a longer list scrolls.
    const QFontMetrics metrics(list->font());
    int lines = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines += 1 + metrics.horizontalAdvance(line) / (width - 24);
    list->setFixedSize(width, std::min(lines, 10) * metrics.lineSpacing() + 16);
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    auto* buttons = box->findChild<QDialogButtonBox*>();
    if (!grid || !buttons)
        return;
    grid->removeWidget(buttons);
    const int row = grid->rowCount();
    grid->addWidget(list, row, 0, 1, grid->columnCount());
    grid->addWidget(buttons, row + 1, 0, 1, grid->columnCount());
}

} // namespace

JournalCommands::JournalCommands(AppStore* store, QWidget* window, ShownReadings shown)
    : QObject(window), m_store(store), m_window(window), m_shown(std::move(shown))
{}

JournalCommands::~JournalCommands() = default;

QMessageBox* JournalCommands::openBox(const QString& name, const QString& title,
                                      const QString& message, bool warning)
{
    QMessageBox* box = Alerts::make(m_window, name, title, message,
                                    warning ? Alerts::Picture::warning : Alerts::Picture::mascot);
    connect(box, &QDialog::finished, box, &QObject::deleteLater);
    m_box = box;
    return box;
}

void JournalCommands::chooseFile(QFileDialog* dialog, std::function<void(const QString&)> chosen)
{
    dialog->setObjectName(QStringLiteral("journalFileDialog"));
    dialog->setWindowModality(Qt::WindowModal);
    m_fileDialog = dialog;
    connect(dialog, &QDialog::finished, this, [dialog, chosen = std::move(chosen)](int result) {
        dialog->deleteLater();
        const QStringList files = dialog->selectedFiles();
        if (result == QDialog::Accepted && !files.isEmpty() && !files.first().isEmpty())
            chosen(files.first());
    });
    dialog->open();
}

void JournalCommands::exportJournal()
{
    if (m_exportDialog || m_store->preview() || m_store->history().isEmpty())
        return;
    const QList<Reading>& history = m_store->history();
    const qsizetype favorites = std::count_if(history.cbegin(), history.cend(),
                                              [](const Reading& r) { return r.favorite; });
    const std::optional<QList<QUuid>> shown = m_shown ? m_shown() : std::nullopt;
    auto* dialog = new ExportJournalDialog(
        history.size(), favorites, shown ? std::optional(shown->size()) : std::nullopt, m_window);
    m_exportDialog = dialog;
    connect(dialog, &QDialog::finished, this, [this, dialog, shown](int result) {
        dialog->deleteLater();
        if (result != QDialog::Accepted)
            return;
        // The readings as the history holds them now, in its order.
        QList<Reading> chosen;
        for (const Reading& reading : m_store->history()) {
            const bool wanted = dialog->selection() == ExportJournalDialog::Selection::all ||
                                (dialog->selection() == ExportJournalDialog::Selection::favorites
                                     ? reading.favorite
                                     : shown && shown->contains(reading.id));
            if (wanted)
                chosen.append(reading);
        }
        const JournalTransfer::Format format = dialog->format();
        auto* files = new QFileDialog(m_window);
        if (format == JournalTransfer::Format::folder)
            DesktopSaveDialog::configureOpen(*files,
                                             QStringLiteral("Elige la carpeta del cuaderno"),
                                             QStringLiteral("Exportar aquí"), {});
        else
            DesktopSaveDialog::configure(*files, QStringLiteral("Exportar cuaderno"),
                                         QStringLiteral("Markdown (*.md)"), QStringLiteral("md"),
                                         JournalMarkdown::notebookFileName(QDate::currentDate()));
        chooseFile(files,
                   [this, chosen, format](const QString& path) { exportTo(chosen, format, path); });
    });
    dialog->open();
}

void JournalCommands::exportTo(const QList<Reading>& readings, JournalTransfer::Format format,
                               const QString& target)
{
    const JournalTransfer::ExportResult result = m_store->exportJournal(readings, format, target);
    if (result.failure)
        return; // the store's alert says why
    const QString where =
        format == JournalTransfer::Format::folder
            ? QStringLiteral(" a la carpeta ") + quoted(target) +
                  QStringLiteral(", un archivo por tirada.")
            : QStringLiteral(" al cuaderno ") + quoted(target) + QStringLiteral(".");
    QMessageBox* box =
        openBox(QStringLiteral("exportDone"), QStringLiteral("Cuaderno exportado"),
                QStringLiteral("Se exportaron ") + ::readings(readings.size()) + where, false);
    box->setDefaultButton(box->addButton(QStringLiteral("Entendido"), QMessageBox::AcceptRole));
    box->open();
}

void JournalCommands::importJournal()
{
    if (m_store->preview() || m_box)
        return;
    QMessageBox* box = openBox(
        QStringLiteral("importChoice"), QStringLiteral("Importar tiradas"),
        QStringLiteral("Elige una carpeta que exportaste desde Arcandel, uno de sus archivos, u "
                       "otro archivo de estado de Arcandel (una copia, o el diario de otro "
                       "equipo). Las tiradas que ya tienes no cambian."),
        false);
    QPushButton* folder = box->addButton(QStringLiteral("Una carpeta…"), QMessageBox::AcceptRole);
    QPushButton* file = box->addButton(QStringLiteral("Un archivo…"), QMessageBox::AcceptRole);
    QPushButton* cancel = box->addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box->setDefaultButton(folder);
    box->setEscapeButton(cancel);
    connect(box, &QDialog::finished, this, [this, box, folder, file] {
        QAbstractButton* clicked = box->clickedButton();
        if (clicked != folder && clicked != file)
            return;
        auto* files = new QFileDialog(m_window);
        if (clicked == folder)
            DesktopSaveDialog::configureOpen(*files, QStringLiteral("Importar una carpeta"),
                                             QStringLiteral("Importar"), {});
        else
            DesktopSaveDialog::configureOpen(*files, QStringLiteral("Importar un archivo"),
                                             QStringLiteral("Importar"),
                                             QStringLiteral("Tiradas de Arcandel (*.md *.json)"));
        chooseFile(files, [this](const QString& path) { importFrom(path); });
    });
    box->open();
}

void JournalCommands::importFrom(const QString& path)
{
    // The dry run reads and checks everything before anything changes.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const JournalTransfer::Scan scan = JournalTransfer::scan(path);
    QGuiApplication::restoreOverrideCursor();
    if (scan.failure) {
        m_store->setError(QStringLiteral("No se pudo importar: ") + *scan.failure);
        return;
    }
    const QList<JournalTransfer::Source> failed = scan.failed();
    const QList<Reading> found = scan.readings();
    if (failed.isEmpty()) {
        importReadings(found);
        return;
    }
    const QString files =
        failed.size() == 1
            ? QStringLiteral("Un archivo no se puede importar")
            : QString::number(failed.size()) + QStringLiteral(" archivos no se pueden importar");
    QMessageBox* box = openBox(
        QStringLiteral("importProblems"), files,
        found.isEmpty()
            ? QStringLiteral("No hay nada que importar, y tu diario no ha cambiado. Esto es lo "
                             "que le pasa a cada archivo:")
            : QStringLiteral("Puedes importar ya ") +
                  (found.size() == 1 ? QStringLiteral("la tirada")
                                     : QStringLiteral("las ") + readings(found.size())) +
                  QStringLiteral(" de los demás archivos, o cancelar y corregir antes lo que "
                                 "falla. Tu diario no ha cambiado todavía."),
        true);
    addList(box, JournalTransfer::describeFailures(failed));
    QPushButton* cancel =
        box->addButton(found.isEmpty() ? QStringLiteral("Entendido") : QStringLiteral("Cancelar"),
                       QMessageBox::RejectRole);
    box->setEscapeButton(cancel);
    box->setDefaultButton(cancel);
    if (!found.isEmpty()) {
        QPushButton* goOn =
            box->addButton(QStringLiteral("Importar el resto"), QMessageBox::AcceptRole);
        goOn->setObjectName(QStringLiteral("importWithout"));
        connect(box, &QDialog::finished, this, [this, box, goOn, found] {
            if (box->clickedButton() == goOn)
                importReadings(found);
        });
    }
    box->open();
}

void JournalCommands::importReadings(const QList<Reading>& readings)
{
    const std::optional<JournalTransfer::Merge> merge = m_store->importReadings(readings);
    if (!merge)
        return; // the store's alert says why
    QMessageBox* box =
        openBox(QStringLiteral("importDone"), QStringLiteral("Importación terminada"),
                JournalTransfer::summary(*merge), false);
    if (!merge->kept.isEmpty())
        addList(box, QStringLiteral("Se conservó tu versión de:\n") +
                         JournalTransfer::describeKept(merge->kept));
    box->setDefaultButton(box->addButton(QStringLiteral("Entendido"), QMessageBox::AcceptRole));
    box->open();
}

void JournalCommands::exportPdf()
{
    const std::optional<Reading>& current = m_store->current();
    if (!current || !current->complete() || m_store->preview())
        return;
    const Reading reading = *current;
    QString name = AppStore::exportFileName(reading);
    name.replace(name.size() - 4, 4, QStringLiteral(".pdf"));
    auto* files = new QFileDialog(m_window);
    DesktopSaveDialog::configure(*files, QStringLiteral("Exportar como PDF"),
                                 QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"), name);
    chooseFile(files, [this, reading](const QString& path) {
        m_store->saveExport(path, ReadingPage::pdf(reading));
    });
}

void JournalCommands::print()
{
    const std::optional<Reading>& current = m_store->current();
    if (!current || !current->complete() || m_store->preview() || m_printer)
        return;
    const Reading reading = *current;
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    m_printer->setFullPage(true);
    m_printer->setDocName(ReadingPage::title(reading));
    auto* dialog = new QPrintDialog(m_printer.get(), m_window);
    dialog->setObjectName(QStringLiteral("printDialog"));
    dialog->setWindowTitle(QStringLiteral("Imprimir tirada"));
    connect(dialog, &QDialog::finished, this, [this, dialog, reading](int result) {
        dialog->deleteLater();
        if (result == QDialog::Accepted)
            ReadingPage(reading).render(*m_printer);
    });
    // The dialog works on the printer until it is gone.
    connect(dialog, &QObject::destroyed, this, [this] { m_printer.reset(); });
    dialog->open();
}
