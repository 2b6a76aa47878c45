#include "app/command_line.h"

#include "app/launch_options.h"
#include "model/json_reader.h"
#include "store/app_store.h"
#include "store/atomic_file.h"
#include "store/export_guard.h"
#include "store/journal_lock.h"
#include "store/journal_transfer.h"
#include "store/state_file.h"
#include "views/table/reading_page.h"

#include <QDateTime>
#include <QDir>
#include <QTextStream>
#include <algorithm>
#include <optional>
#include <variant>

namespace {

const QString exportMarkdown = QStringLiteral("--export-markdown");
const QString exportPdf = QStringLiteral("--export-pdf");
const QString import = QStringLiteral("--import");
const QString helpOption = QStringLiteral("--help");

QString quoted(const QString& text)
{
    return QStringLiteral("«") + text + QStringLiteral("»");
}

QString counted(qsizetype count, const QString& one, const QString& many)
{
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

struct Failure {
    QString message;
};

// The arguments after an option's first occurrence, or none when too few follow it.
std::optional<QStringList> valuesAfter(const QStringList& arguments, const QString& option,
                                       int count)
{
    const qsizetype index = arguments.indexOf(option);
    if (index < 0 || index + count >= arguments.size())
        return std::nullopt;
    return arguments.mid(index + 1, count);
}

// The history in the state file, without touching it: a first start has none.
std::variant<QList<Reading>, Failure> history(const QString& statePath)
{
    const StateFile::ReadResult state = StateFile::read(statePath);
    if (state.status == StateFile::ReadResult::Status::failed)
        return Failure{QStringLiteral("No se pudo leer la configuración: ") + state.error};
    return state.state.history;
}

int fail(QTextStream& err, const QString& message)
{
    err << message << '\n';
    return 1;
}

int runExportMarkdown(const QString& folder, const QString& statePath, QTextStream& out,
                      QTextStream& err)
{
    const auto readings = history(statePath);
    if (const auto* failure = std::get_if<Failure>(&readings))
        return fail(err, failure->message);
    const QList<Reading>& all = std::get<QList<Reading>>(readings);
    if (all.isEmpty()) {
        out << "Tu diario no tiene tiradas todavía: no hay nada que exportar.\n";
        return 0;
    }
    const JournalTransfer::ExportResult result =
        JournalTransfer::exportJournal(all, JournalTransfer::Format::folder, folder, statePath);
    if (result.failure)
        return fail(err, QStringLiteral("No se pudo exportar: ") + *result.failure);
    out << QString(QStringLiteral("Se exportaron ") +
                   counted(result.files, QStringLiteral("tirada"), QStringLiteral("tiradas")) +
                   QStringLiteral(" a ") + quoted(QDir::toNativeSeparators(folder)) +
                   QStringLiteral(".\n"));
    return 0;
}

int runExportPdf(const QString& idText, const QString& file, const QString& statePath,
                 QTextStream& out, QTextStream& err)
{
    const QUuid id = QUuid::fromString(idText);
    if (idText.size() != 36 || id.isNull())
        return fail(err, quoted(idText) +
                             QStringLiteral(" no es el identificador de una tirada: son 36 "
                                            "caracteres, como el «id» de sus archivos Markdown."));
    const auto readings = history(statePath);
    if (const auto* failure = std::get_if<Failure>(&readings))
        return fail(err, failure->message);
    const QList<Reading>& all = std::get<QList<Reading>>(readings);
    const auto found = std::find_if(all.cbegin(), all.cend(),
                                    [&id](const Reading& reading) { return reading.id == id; });
    if (found == all.cend())
        return fail(err, QStringLiteral("Tu diario no tiene ninguna tirada con el identificador ") +
                             quoted(uuidText(id)) + QLatin1Char('.'));
    if (!found->complete())
        return fail(err, QStringLiteral("La tirada ") + quoted(uuidText(id)) +
                             QStringLiteral(" todavía tiene cartas boca abajo; solo se exportan "
                                            "tiradas completas."));
    if (const auto refusal = ExportGuard::refusal(file, statePath))
        return fail(err, QStringLiteral("No se pudo exportar: ") + *refusal);
    if (const auto failure = AtomicFile::write(file, ReadingPage::pdf(*found)))
        return fail(err, QStringLiteral("No se pudo exportar: ") + *failure);
    out << QString(QStringLiteral("Se exportó la tirada ") + quoted(ReadingPage::title(*found)) +
                   QStringLiteral(" a ") + quoted(QDir::toNativeSeparators(file)) +
                   QStringLiteral(".\n"));
    return 0;
}

int runImport(const QString& path, const QString& statePath, QTextStream& out, QTextStream& err)
{
    const JournalTransfer::Scan scan = JournalTransfer::scan(path);
    if (scan.failure)
        return fail(err, QStringLiteral("No se pudo importar: ") + *scan.failure);
    const QList<JournalTransfer::Source> failed = scan.failed();
    if (!failed.isEmpty())
        return fail(err, QStringLiteral("No se pudo importar: ") +
                             counted(failed.size(), QStringLiteral("archivo no es válido"),
                                     QStringLiteral("archivos no son válidos")) +
                             QStringLiteral(" y tu diario no ha cambiado.\n") +
                             JournalTransfer::describeFailures(failed));
    // The window of a running Arcandel would write its own journal over the import.
    JournalLock lock(statePath);
    if (lock.acquire() == JournalLock::Result::heldElsewhere)
        return fail(err, QStringLiteral("No se pudo importar: Arcandel está abierto con este "
                                        "diario. Ciérralo y vuelve a intentarlo, o importa desde "
                                        "su menú «Archivo → Importar…»."));
    const JournalTransfer::FileImport result = JournalTransfer::importIntoStateFile(
        statePath, scan.readings(), QDateTime::currentSecsSinceEpoch());
    if (result.failure)
        return fail(err, QStringLiteral("No se pudo importar: ") + *result.failure);
    out << JournalTransfer::summary(*result.merge) << '\n';
    if (!result.merge->kept.isEmpty())
        out << JournalTransfer::describeKept(result.merge->kept) << '\n';
    return 0;
}

} // namespace

namespace CommandLine {

bool requested(const QStringList& arguments)
{
    return arguments.contains(helpOption) || arguments.contains(exportMarkdown) ||
           arguments.contains(exportPdf) || arguments.contains(import);
}

bool needsFonts(const QStringList& arguments)
{
    return arguments.contains(exportPdf) && !arguments.contains(helpOption);
}

QString help()
{
    return QStringLiteral(
        "Uso: arcandel [opciones]\n"
        "\n"
        "Sin órdenes, abre la ventana de Arcandel.\n"
        "\n"
        "Opciones de arranque:\n"
        "  --preview                  Muestra una tirada de ejemplo; no lee ni escribe ningún\n"
        "                             archivo.\n"
        "  --data-path ARCHIVO        Usa ARCHIVO como archivo de estado en lugar de\n"
        "                             ~/.local/share/Arcandel/state.json.\n"
        "  --capture ARCHIVO          Tres segundos después de arrancar, guarda un PNG del\n"
        "                             contenido de la ventana.\n"
        "  --quit-after-capture       Cierra la aplicación después de la captura.\n"
        "\n"
        "Órdenes sin ventana (usan el archivo de estado de --data-path si se indica):\n"
        "  --export-markdown CARPETA  Exporta todas tus tiradas a CARPETA, un archivo Markdown\n"
        "                             por tirada.\n"
        "  --export-pdf ID ARCHIVO    Guarda como PDF la tirada con ese identificador (el «id»\n"
        "                             de su archivo Markdown).\n"
        "  --import RUTA              Importa las tiradas de una carpeta exportada, de uno de\n"
        "                             sus archivos o de otro archivo de estado de Arcandel.\n"
        "  --help                     Muestra esta ayuda.\n"
        "\n"
        "Cada orden escribe un resumen en la salida estándar y los errores en la salida de\n"
        "errores. Termina con 0 si todo fue bien y con 1 si no; entonces tu diario queda como\n"
        "estaba.\n");
}

int run(const QStringList& arguments, const QString& workingDirectory, QTextStream& out,
        QTextStream& err)
{
    if (arguments.contains(helpOption)) {
        out << help();
        return 0;
    }
    const int commands = int(arguments.contains(exportMarkdown)) +
                         int(arguments.contains(exportPdf)) + int(arguments.contains(import));
    if (commands > 1)
        return fail(err, QStringLiteral("Usa una sola orden cada vez: --export-markdown, "
                                        "--export-pdf o --import."));
    if (arguments.contains(QStringLiteral("--preview")))
        return fail(err, QStringLiteral("--preview no lee ni escribe ningún archivo, así que no "
                                        "se puede usar con una orden."));
    const LaunchOptions options = LaunchOptions::parse(arguments, workingDirectory);
    const QString statePath = options.dataPath ? *options.dataPath : AppStore::defaultSaveURL();
    auto path = [&workingDirectory](const QString& given) {
        return QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(given));
    };

    if (arguments.contains(exportMarkdown)) {
        const auto folder = valuesAfter(arguments, exportMarkdown, 1);
        if (!folder)
            return fail(err, QStringLiteral("Falta la carpeta después de --export-markdown."));
        return runExportMarkdown(path(folder->first()), statePath, out, err);
    }
    if (arguments.contains(exportPdf)) {
        const auto values = valuesAfter(arguments, exportPdf, 2);
        if (!values)
            return fail(err, QStringLiteral("Faltan el identificador de la tirada y el archivo "
                                            "después de --export-pdf."));
        return runExportPdf(values->at(0), path(values->at(1)), statePath, out, err);
    }
    const auto source = valuesAfter(arguments, import, 1);
    if (!source)
        return fail(err, QStringLiteral("Falta la ruta después de --import."));
    return runImport(path(source->first()), statePath, out, err);
}

} // namespace CommandLine
