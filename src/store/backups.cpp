#include "store/backups.h"

#include "store/atomic_file.h"
#include "store/file_errors.h"
#include "store/regular_file.h"
#include "store/state_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QRegularExpression& copyName()
{
    static const QRegularExpression name(
        QStringLiteral("^state-(\\d{4}-\\d{2}-\\d{2})(?:-(\\d{6})(?:-\\d+)?)?\\.json$"));
    return name;
}

QList<Backups::Entry> copiesIn(const QString& folder)
{
    QList<Backups::Entry> copies;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::NoSymLinks)) {
        const Backups::Entry copy = Backups::named(dir.filePath(name));
        if (copy.taken.isValid())
            copies.append(copy);
    }
    // Newest first; within one second, the later name.
    std::sort(copies.begin(), copies.end(), [](const Backups::Entry& a, const Backups::Entry& b) {
        return a.taken != b.taken ? a.taken > b.taken : a.path > b.path;
    });
    return copies;
}

} // namespace

namespace Backups {

Entry named(const QString& path)
{
    Entry entry;
    entry.path = path;
    const QRegularExpressionMatch match = copyName().match(QFileInfo(path).fileName());
    if (!match.hasMatch())
        return entry;
    const QDate date = QDate::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd"));
    entry.beforeChange = !match.captured(2).isEmpty();
    const QTime time = entry.beforeChange
                           ? QTime::fromString(match.captured(2), QStringLiteral("HHmmss"))
                           : QTime(0, 0);
    if (date.isValid() && time.isValid())
        entry.taken = QDateTime(date, time);
    return entry;
}

QString when(const Entry& entry)
{
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    QString text = spanish.toString(entry.taken.date(), QStringLiteral("d 'de' MMMM 'de' yyyy"));
    if (entry.beforeChange)
        text +=
            QStringLiteral(", ") + spanish.toString(entry.taken.time(), QStringLiteral("HH:mm"));
    return text;
}

QString folder(const QString& statePath)
{
    return QFileInfo(statePath).absoluteDir().filePath(QStringLiteral("copias"));
}

std::optional<QString> takeDaily(const QString& statePath, const QByteArray& bytes,
                                 const QDateTime& now)
{
    const QString where = folder(statePath);
    const QString path = QDir(where).filePath(QStringLiteral("state-") +
                                              now.date().toString(QStringLiteral("yyyy-MM-dd")) +
                                              QStringLiteral(".json"));
    if (QFileInfo::exists(path))
        return std::nullopt;
    if (!AtomicFile::makeFolders(where))
        return FileErrors::folderFailure(where);
    if (const auto failure = AtomicFile::write(path, bytes))
        return failure;
    thinOut(where);
    return std::nullopt;
}

Taken takeBeforeChange(const QString& statePath, const QDateTime& now)
{
    Taken taken;
    if (!QFileInfo::exists(statePath))
        return taken;
    const RegularFile::Content content = RegularFile::read(statePath);
    if (!content.bytes) {
        taken.failure = content.error;
        return taken;
    }
    const QString where = folder(statePath);
    if (!AtomicFile::makeFolders(where)) {
        taken.failure = FileErrors::folderFailure(where);
        return taken;
    }
    const QString stem =
        QStringLiteral("state-") + now.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    for (int n = 1; n <= 100; ++n) {
        const QString name = stem + (n == 1 ? QString() : QLatin1Char('-') + QString::number(n)) +
                             QStringLiteral(".json");
        const QString path = QDir(where).filePath(name);
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            continue;
        taken.failure = AtomicFile::write(path, *content.bytes);
        if (!taken.failure)
            taken.path = path;
        return taken;
    }
    taken.failure =
        FileErrors::writeFailure(QDir(where).filePath(stem + QStringLiteral(".json")), QString());
    return taken;
}

void thinOut(const QString& folder)
{
    const QList<Entry> copies = copiesIn(folder);
    QList<QDate> days;
    for (const Entry& copy : copies) {
        if (days.isEmpty() || days.last() != copy.taken.date())
            days.append(copy.taken.date());
    }
    if (days.size() <= 7)
        return;
    const QDate oldestDaily = days.at(6);
    // Calendar weeks (Monday to Sunday), named by their Monday; copies come newest first.
    QList<QDate> weeksKept;
    for (const Entry& copy : copies) {
        const QDate day = copy.taken.date();
        if (day >= oldestDaily)
            continue;
        const QDate week = day.addDays(1 - day.dayOfWeek());
        if (weeksKept.size() < 4 && !weeksKept.contains(week)) {
            weeksKept.append(week);
            continue;
        }
        QFile::remove(copy.path);
    }
    AtomicFile::syncFolder(folder);
}

QList<Entry> list(const QString& statePath)
{
    QList<Entry> entries;
    for (Entry entry : copiesIn(folder(statePath))) {
        entry.size = QFileInfo(entry.path).size();
        const RegularFile::Content content = RegularFile::read(entry.path);
        if (!content.bytes) {
            entry.problem = content.error;
        } else if (const auto state =
                       StateFile::decodeAndValidate(*content.bytes, &entry.problem)) {
            entry.readings = state->history.size();
        }
        entries.append(entry);
    }
    return entries;
}

} // namespace Backups
