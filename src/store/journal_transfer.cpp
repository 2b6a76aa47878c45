#include "store/journal_transfer.h"

#include "store/app_store.h"
#include "store/atomic_file.h"
#include "store/backups.h"
#include "store/export_guard.h"
#include "store/file_errors.h"
#include "store/journal_markdown.h"
#include "store/state_encoder.h"
#include "store/state_file.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

QString quoted(const QString& path)
{
    return QStringLiteral("«") + QDir::toNativeSeparators(path) + QStringLiteral("»");
}

QString counted(qsizetype count, const QString& one, const QString& many)
{
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

// The folder for a folder export: an existing one is used as it is; a new one is private.
std::optional<QString> prepareFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return std::nullopt;
    if (info.exists())
        return quoted(folder) + QStringLiteral(" es un archivo, no una carpeta.");
    if (!QDir().mkpath(info.absolutePath()) ||
        ::mkdir(QFile::encodeName(info.absoluteFilePath()).constData(), S_IRWXU) != 0)
        return FileErrors::folderFailure(folder);
    return std::nullopt;
}

JournalTransfer::ExportResult exportFolder(const QList<Reading>& readings, const QString& folder,
                                           const QString& statePath)
{
    JournalTransfer::ExportResult result;
    const QStringList names = JournalMarkdown::fileNames(readings);
    const QDir dir(folder);
    // Every target is checked before the first file is written.
    for (const QString& name : names) {
        if (const auto refusal = ExportGuard::refusal(dir.filePath(name), statePath)) {
            result.failure = refusal;
            return result;
        }
    }
    if ((result.failure = prepareFolder(folder)))
        return result;
    for (qsizetype i = 0; i < readings.size(); ++i) {
        const QString path = dir.filePath(names.at(i));
        if ((result.failure =
                 AtomicFile::writeWithoutSync(path, JournalMarkdown::document(readings.at(i))))) {
            if (result.files > 0)
                result.failure = *result.failure + QLatin1Char(' ') +
                                 counted(result.files, QStringLiteral("tirada quedó exportada"),
                                         QStringLiteral("tiradas quedaron exportadas")) +
                                 QStringLiteral(" antes del fallo.");
            return result;
        }
        ++result.files;
    }
    return result;
}

bool looksLikeJson(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            continue;
        return c == '{';
    }
    return false;
}

// The whole content of a regular file, or why it cannot be read.
std::optional<QByteArray> contentOf(const QString& path, QString* error)
{
    if (!QFileInfo(path).isFile()) {
        *error = quoted(path) + QStringLiteral(" no es un archivo normal.");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = FileErrors::readFailure(path, file.errorString());
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = FileErrors::readFailure(path, file.errorString());
        return std::nullopt;
    }
    return bytes;
}

JournalTransfer::Source readSource(const QString& path)
{
    JournalTransfer::Source source{path, {}, {}};
    const std::optional<QByteArray> content = contentOf(path, &source.error);
    if (!content)
        return source;
    const QByteArray& bytes = *content;
    if (looksLikeJson(bytes)) {
        if (auto state = StateFile::decodeAndValidate(bytes, &source.error))
            source.readings = state->history;
    } else if (auto reading = JournalMarkdown::parse(bytes, &source.error)) {
        source.readings.append(*reading);
    }
    return source;
}

// Reads the files on every core: parsing YAML is most of an import's time.
QList<JournalTransfer::Source> readSources(const QStringList& paths)
{
    std::vector<JournalTransfer::Source> sources(size_t(paths.size()));
    const size_t workers =
        std::clamp<size_t>(std::thread::hardware_concurrency(), 1, size_t(paths.size() / 64 + 1));
    auto work = [&](size_t first) {
        for (size_t i = first; i < sources.size(); i += workers)
            sources[i] = readSource(paths.at(qsizetype(i)));
    };
    std::vector<std::thread> helpers;
    for (size_t w = 1; w < workers; ++w)
        helpers.emplace_back(work, w);
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
    return QList<JournalTransfer::Source>(std::make_move_iterator(sources.begin()),
                                          std::make_move_iterator(sources.end()));
}

} // namespace

namespace JournalTransfer {

ExportResult exportJournal(const QList<Reading>& readings, Format format, const QString& target,
                           const QString& statePath)
{
    if (format == Format::folder)
        return exportFolder(readings, target, statePath);
    ExportResult result;
    if ((result.failure = ExportGuard::refusal(target, statePath)))
        return result;
    if ((result.failure =
             AtomicFile::write(target, JournalMarkdown::notebook(readings, QDate::currentDate()))))
        return result;
    result.files = 1;
    return result;
}

QList<Reading> Scan::readings() const
{
    QList<Reading> all;
    for (const Source& source : sources)
        all.append(source.readings);
    return all;
}

QList<Source> Scan::failed() const
{
    QList<Source> failed;
    std::copy_if(sources.cbegin(), sources.cend(), std::back_inserter(failed),
                 [](const Source& source) { return !source.error.isEmpty(); });
    return failed;
}

Scan scan(const QString& path)
{
    Scan scan;
    const QFileInfo info(path);
    if (!info.exists()) {
        scan.failure = QStringLiteral("No existe ") + quoted(path) + QLatin1Char('.');
    } else if (info.isDir()) {
        QStringList paths;
        const QDir folder(path);
        for (const QString& name :
             folder.entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name))
            paths.append(folder.filePath(name));
        if (paths.isEmpty())
            scan.failure = QStringLiteral("La carpeta ") + quoted(path) +
                           QStringLiteral(" no contiene archivos Markdown (.md).");
        else
            scan.sources = readSources(paths);
    } else {
        scan.sources.append(readSource(path));
    }
    return scan;
}

QString describeFailures(const QList<Source>& failed)
{
    QStringList lines;
    for (const Source& source : failed)
        lines.append(quoted(QFileInfo(source.path).fileName()) + QStringLiteral(": ") +
                     source.error);
    return lines.join(QLatin1Char('\n'));
}

Merge merge(const QList<Reading>& history, const QList<Reading>& incoming)
{
    Merge result;
    QHash<QUuid, qsizetype> known; // identifier → index in `history`, or -1 for a new one
    known.reserve(history.size() + incoming.size());
    for (qsizetype i = 0; i < history.size(); ++i)
        known.insert(history.at(i).id, i);

    QList<Reading> sorted = incoming;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Reading& a, const Reading& b) { return a.date > b.date; });
    QList<Reading> added;
    QHash<QUuid, qsizetype> addedAt;
    for (const Reading& reading : std::as_const(sorted)) {
        const auto there = known.constFind(reading.id);
        if (there == known.constEnd()) {
            known.insert(reading.id, -1);
            addedAt.insert(reading.id, added.size());
            added.append(reading);
            continue;
        }
        const Reading& local =
            *there >= 0 ? history.at(*there) : added.at(addedAt.value(reading.id));
        if (local == reading)
            ++result.skipped;
        else
            result.kept.append(local);
    }

    // Newest first: each added reading goes before the first reading older than it. That
    // place never moves back as the added readings get older, so one pass does it.
    result.history.reserve(history.size() + added.size());
    qsizetype next = 0;
    for (const Reading& reading : std::as_const(added)) {
        while (next < history.size() && !(history.at(next).date < reading.date))
            result.history.append(history.at(next++));
        result.history.append(reading);
    }
    result.history.append(history.mid(next));
    result.added = added.size();
    return result;
}

QString summary(const Merge& merge)
{
    QString text = merge.added == 0 ? QStringLiteral("No se añadió ninguna tirada.")
                                    : (merge.added == 1 ? QStringLiteral("Se añadió 1 tirada.")
                                                        : QStringLiteral("Se añadieron ") +
                                                              QString::number(merge.added) +
                                                              QStringLiteral(" tiradas."));
    if (merge.skipped == 1)
        text += QStringLiteral(" 1 ya estaba igual en tu diario y se omitió.");
    else if (merge.skipped > 1)
        text += QLatin1Char(' ') + QString::number(merge.skipped) +
                QStringLiteral(" ya estaban igual en tu diario y se omitieron.");
    if (merge.kept.size() == 1)
        text += QStringLiteral(" 1 tenía cambios respecto a la de tu diario: se conservó tu "
                               "versión.");
    else if (merge.kept.size() > 1)
        text += QLatin1Char(' ') + QString::number(merge.kept.size()) +
                QStringLiteral(" tenían cambios respecto a las de tu diario: se conservaron "
                               "tus versiones.");
    return text;
}

QString describeKept(const QList<Reading>& kept)
{
    QStringList lines;
    for (const Reading& reading : kept)
        lines.append(
            QStringLiteral("«") +
            (reading.question.isEmpty() ? QStringLiteral("Lectura general") : reading.question) +
            QStringLiteral("», ") + ReadingText::dateText(reading.date));
    return lines.join(QLatin1Char('\n'));
}

FileImport importIntoStateFile(const QString& statePath, const QList<Reading>& readings,
                               qint64 secondsSince1970)
{
    FileImport result;
    const StateFile::ReadResult state = StateFile::read(statePath);
    if (state.status == StateFile::ReadResult::Status::failed) {
        result.failure = QStringLiteral("tu diario no se puede leer. ") + state.error;
        return result;
    }
    Merge merge = JournalTransfer::merge(state.state.history, readings);
    if (merge.added > 0) {
        if (const auto failure = backUp(statePath, secondsSince1970)) {
            result.failure =
                QStringLiteral("la copia de seguridad de tu diario falló. ") + *failure;
            return result;
        }
        if (const auto failure = StateFile::write(
                statePath, StateEncoder().encodeParts(state.state.preferences, merge.history))) {
            result.failure = QStringLiteral("tu diario no se pudo guardar. ") + *failure;
            return result;
        }
    }
    result.merge = std::move(merge);
    return result;
}

std::optional<QString> backUp(const QString& statePath, qint64 secondsSince1970)
{
    return Backups::takeBeforeChange(statePath, QDateTime::fromSecsSinceEpoch(secondsSince1970))
        .failure;
}

} // namespace JournalTransfer
