#include "store/state_file.h"

#include "model/spread.h"
#include "store/atomic_file.h"
#include "store/file_errors.h"
#include "store/regular_file.h"
#include "store/state_parser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <sys/stat.h>

namespace {

QString counted(qint64 count, const QString& one, const QString& many)
{
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

QString cards(qint64 count)
{
    return counted(count, QStringLiteral("carta"), QStringLiteral("cartas"));
}

} // namespace

namespace StateFile {

QString invalidReadingSentence()
{
    return QStringLiteral("El historial contiene una tirada no válida.");
}

std::optional<QString> invalidReason(const Reading& reading, qsizetype number)
{
    return invalidReason(reading, QStringLiteral("La tirada ") + QString::number(number) +
                                      QStringLiteral(" del historial"));
}

std::optional<QString> invalidReason(const Reading& reading, const QString& which)
{
    const qint64 count = reading.cards.size();
    const qint64 places = positions(reading.spread).size();
    if (count != places)
        return which + QStringLiteral(" tiene ") + cards(count) + QStringLiteral(", pero «") +
               name(reading.spread) + QStringLiteral("» tiene ") +
               counted(places, QStringLiteral("posición"), QStringLiteral("posiciones")) +
               QLatin1Char('.');
    for (qsizetype i = 0; i < reading.cards.size(); ++i) {
        const qint64 id = reading.cards.at(i).arcanaID;
        if (id < 0 || id > 21)
            return which + QStringLiteral(" tiene en su carta ") + QString::number(i + 1) +
                   QStringLiteral(" el número ") + QString::number(id) +
                   QStringLiteral(", que no es un arcano de 0 a 21.");
    }
    QHash<qint64, qsizetype> seen;
    for (qsizetype i = 0; i < reading.cards.size(); ++i) {
        const qint64 id = reading.cards.at(i).arcanaID;
        const auto earlier = seen.constFind(id);
        if (earlier != seen.constEnd())
            return which + QStringLiteral(" repite el arcano ") + QString::number(id) +
                   QStringLiteral(" en sus cartas ") + QString::number(*earlier + 1) +
                   QStringLiteral(" y ") + QString::number(i + 1) + QLatin1Char('.');
        seen.insert(id, i);
    }
    if (reading.revealed < 0 || reading.revealed > count)
        return which + QStringLiteral(" tiene «revealed» ") + QString::number(reading.revealed) +
               QStringLiteral(", pero debe estar entre 0 y ") + QString::number(count) +
               QStringLiteral(", su número de cartas.");
    return std::nullopt;
}

std::optional<SavedState> decodeAndValidate(const QByteArray& bytes, QString* error)
{
    QString description;
    // The fast reader handles what the program itself writes; anything else goes to the
    // general decoder, which also describes what is wrong.
    std::optional<SavedState> state = StateParser::parse(bytes);
    if (!state)
        state = SavedState::decode(bytes, &description);
    if (state) {
        for (qsizetype i = 0; i < state->history.size(); ++i) {
            if (const auto reason = invalidReason(state->history.at(i), i + 1)) {
                description = invalidReadingSentence() + QLatin1Char(' ') + *reason;
                state.reset();
                break;
            }
        }
    } else if (description.isEmpty()) {
        description = QStringLiteral("El archivo no tiene la forma de un documento de estado.");
    }
    if (!state && error)
        *error = description;
    return state;
}

ReadResult read(const QString& path)
{
    ReadResult result;
    if (!QFileInfo::exists(path))
        return result;
    result.status = ReadResult::Status::failed;
    result.identity = FileIdentity::at(path);
    RegularFile::Content content = RegularFile::read(path);
    if (!content.bytes) {
        result.error = content.error;
        return result;
    }
    result.identity = content.identity;
    result.bytes = std::move(content.bytes);
    std::optional<SavedState> state = decodeAndValidate(*result.bytes, &result.error);
    if (!state)
        return result;
    result.status = ReadResult::Status::loaded;
    result.state = std::move(*state);
    giveDistinctIdentifiers(result.state.history);
    return result;
}

qsizetype giveDistinctIdentifiers(QList<Reading>& history)
{
    QSet<QUuid> seen;
    seen.reserve(history.size());
    qsizetype changed = 0;
    for (Reading& reading : history) {
        while (seen.contains(reading.id)) {
            reading.id = QUuid::createUuid();
            ++changed;
        }
        seen.insert(reading.id);
    }
    return changed;
}

QString recoveryFileName(qint64 secondsSince1970)
{
    return QStringLiteral("state-recuperacion-") + QString::number(secondsSince1970) +
           QStringLiteral(".json");
}

QString conflictFileName(qint64 secondsSince1970)
{
    return QStringLiteral("state-conflicto-") + QString::number(secondsSince1970) +
           QStringLiteral(".json");
}

SetAsideResult setAside(const QString& path, qint64 secondsSince1970, Copy kind,
                        const std::optional<QByteArray>& content)
{
    SetAsideResult result;
    // Nothing (or no regular file) at the path: no write replaces it.
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.secured = true;
        return result;
    }
    const std::optional<QByteArray> original = content ? content : RegularFile::read(path).bytes;
    if (!original)
        return result;
    const QDir folder = QFileInfo(path).absoluteDir();
    const QString plain = kind == Copy::recovery ? recoveryFileName(secondsSince1970)
                                                 : conflictFileName(secondsSince1970);
    // A damaged file met at every start is copied once.
    const QString pattern = plain.section(QLatin1Char('-'), 0, 1) + QStringLiteral("-*.json");
    for (const QFileInfo& copy :
         folder.entryInfoList({pattern}, QDir::Files | QDir::NoSymLinks | QDir::Hidden)) {
        if (copy.size() == original->size() &&
            RegularFile::read(copy.filePath()).bytes == original) {
            result.secured = true;
            result.copyPath = copy.absoluteFilePath();
            return result;
        }
    }
    for (int attempt = 1; attempt <= 20; ++attempt) {
        QString name = plain;
        if (attempt > 1)
            name.insert(name.size() - 5, QLatin1Char('-') + QString::number(attempt));
        const QString copy = folder.filePath(name);
        switch (AtomicFile::writeNew(copy, *original, info.st_mode)) {
        case AtomicFile::NewFile::written:
            result.secured = true;
            result.copyPath = copy;
            return result;
        case AtomicFile::NewFile::failed:
            // Any failure here (a full disk) would repeat with the next name.
            return result;
        case AtomicFile::NewFile::exists:
            break;
        }
    }
    return result;
}

std::optional<QString> write(const QString& path, const QList<QByteArray>& document,
                             FileIdentity* written)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!AtomicFile::makeFolders(folder))
        return FileErrors::folderFailure(folder);
    return AtomicFile::write(path, document, written);
}

} // namespace StateFile
