#include "app/launch_options.h"

#include <QDir>

namespace {

std::optional<QString> valueAfter(const QStringList& arguments, const QString& option)
{
    const qsizetype index = arguments.indexOf(option);
    if (index < 0 || index + 1 >= arguments.size())
        return std::nullopt;
    return arguments.at(index + 1);
}

std::optional<QString> resolved(const std::optional<QString>& path, const QString& directory)
{
    if (!path)
        return std::nullopt;
    return QDir::cleanPath(QDir(directory).absoluteFilePath(*path));
}

} // namespace

LaunchOptions LaunchOptions::parse(const QStringList& arguments, const QString& workingDirectory)
{
    LaunchOptions options;
    options.preview = arguments.contains(QStringLiteral("--preview"));
    options.dataPath =
        resolved(valueAfter(arguments, QStringLiteral("--data-path")), workingDirectory);
    options.capturePath =
        resolved(valueAfter(arguments, QStringLiteral("--capture")), workingDirectory);
    options.quitAfterCapture = arguments.contains(QStringLiteral("--quit-after-capture"));
    return options;
}
