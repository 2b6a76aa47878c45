#include "store/export_guard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

bool sameFile(const QString& a, const QString& b)
{
    struct stat first {};
    struct stat second {};
    if (::stat(QFile::encodeName(a).constData(), &first) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace

namespace ExportGuard {

std::optional<QString> refusal(const QString& target, const QString& statePath)
{
    const QFileInfo targetInfo(target);
    const QFileInfo stateInfo(statePath);
    const bool same = sameFile(target, statePath) ||
                      (targetInfo.exists() && stateInfo.exists() &&
                       targetInfo.canonicalFilePath() == stateInfo.canonicalFilePath()) ||
                      QDir::cleanPath(targetInfo.absoluteFilePath()) ==
                          QDir::cleanPath(stateInfo.absoluteFilePath());
    if (!same)
        return std::nullopt;
    return QStringLiteral("«") + QDir::toNativeSeparators(target) +
           QStringLiteral("» es el archivo donde Arcandel guarda tus preferencias y tu "
                          "historial. Elige otro nombre.");
}

} // namespace ExportGuard
