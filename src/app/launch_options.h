#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The four launch options, read from the whole argument list (program path first). An
// option with a value takes the argument after its first occurrence; given as the last
// argument it is ignored.
struct LaunchOptions {
    bool preview = false;
    std::optional<QString> dataPath; // absolute; none means the default state file
    std::optional<QString> capturePath;
    bool quitAfterCapture = false;

    bool operator==(const LaunchOptions&) const = default;

    // Relative paths are resolved against `workingDirectory`.
    static LaunchOptions parse(const QStringList& arguments, const QString& workingDirectory);
};
