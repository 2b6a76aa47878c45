#include "store/export_guard.h"

#include "store/backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <sys/stat.h>

namespace {

bool isCopyName(const QString& name)
{
    static const QRegularExpression copy(
        QStringLiteral("^state-(recuperacion|conflicto)-.*\\.json$"));
    return copy.match(name).hasMatch();
}

// The canonical path `path` has or would have: its folder's, with links followed, and the
// name; a link at the path itself, followed to where it leads.
QString canonical(const QString& path)
{
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops)
        info.setFile(info.symLinkTarget());
    const QString folder = info.absoluteDir().canonicalPath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                            : folder + QLatin1Char('/') + info.fileName();
}

std::optional<std::pair<dev_t, ino_t>> identity(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return std::pair(info.st_dev, info.st_ino);
}

} // namespace

namespace ExportGuard {

std::optional<QString> refusal(const QString& target, const QString& statePath)
{
    const QString stateFolder = QFileInfo(statePath).absolutePath();
    const QString backups = Backups::folder(statePath);
    QStringList copies;
    for (const QFileInfo& entry : QDir(stateFolder).entryInfoList(QDir::Files | QDir::Hidden)) {
        if (isCopyName(entry.fileName()))
            copies.append(entry.filePath());
    }
    for (const QFileInfo& entry : QDir(backups).entryInfoList(QDir::Files | QDir::Hidden))
        copies.append(entry.filePath());

    bool state = false;
    bool copy = false;
    if (const auto mine = identity(target)) {
        state = identity(statePath) == mine;
        copy = std::any_of(copies.cbegin(), copies.cend(),
                           [&mine](const QString& path) { return identity(path) == mine; });
    } else {
        const QString where = canonical(target);
        const QFileInfo place(where);
        state = where == canonical(statePath);
        copy = (place.absolutePath() == canonical(stateFolder) && isCopyName(place.fileName())) ||
               place.absolutePath() == canonical(backups);
    }
    const QString quoted =
        QStringLiteral("«") + QDir::toNativeSeparators(target) + QStringLiteral("»");
    if (state)
        return quoted + QStringLiteral(" es el archivo donde Arcandel guarda tus preferencias y "
                                       "tu historial. Elige otro nombre.");
    if (copy)
        return quoted + QStringLiteral(" es una copia que Arcandel guarda de tu diario. Elige "
                                       "otro nombre.");
    return std::nullopt;
}

} // namespace ExportGuard
