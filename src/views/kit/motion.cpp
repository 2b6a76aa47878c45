#include "views/kit/motion.h"

#include "views/kit/gnome_settings.h"

#include <QFile>
#include <QStandardPaths>

namespace {

struct ReducedMotionState {
    std::optional<bool> forced;
    std::optional<bool> desktop;
};

ReducedMotionState& state()
{
    static ReducedMotionState value;
    return value;
}

bool kdeAsksForReducedMotion()
{
    // The first kdeglobals that sets the factor wins: the user's file before the system's.
    const QStringList files = QStandardPaths::locateAll(QStandardPaths::GenericConfigLocation,
                                                        QStringLiteral("kdeglobals"));
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        if (const std::optional<double> factor = Motion::kdeAnimationFactor(file.readAll()))
            return *factor == 0.0;
    }
    return false;
}

bool readDesktop()
{
    if (const std::optional<bool> enabled = GnomeSettings::enableAnimations(); enabled && !*enabled)
        return true;
    return kdeAsksForReducedMotion();
}

} // namespace

namespace Motion {

std::optional<double> kdeAnimationFactor(const QByteArray& kdeglobals)
{
    bool inKde = false;
    std::optional<double> factor;
    for (const QByteArray& raw : kdeglobals.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#') || line.startsWith(';'))
            continue;
        if (line.startsWith('[')) {
            inKde = line == "[KDE]";
            continue;
        }
        if (!inKde)
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        QByteArray key = line.left(equals).trimmed();
        // Keys may carry flags such as "[$i]" (immutable).
        if (const qsizetype flag = key.indexOf('['); flag >= 0)
            key = key.left(flag).trimmed();
        if (key != "AnimationDurationFactor")
            continue;
        bool ok = false;
        const double value = line.mid(equals + 1).trimmed().toDouble(&ok);
        if (ok)
            factor = value;
    }
    return factor;
}

bool desktopPrefersReducedMotion()
{
    ReducedMotionState& current = state();
    if (current.forced)
        return *current.forced;
    if (!current.desktop)
        current.desktop = readDesktop();
    return *current.desktop;
}

void overrideReducedMotion(std::optional<bool> reduced)
{
    ReducedMotionState& current = state();
    current.forced = reduced;
    if (!reduced)
        current.desktop.reset();
}

bool animate(const Preferences& preferences)
{
    return preferences.animations && !desktopPrefersReducedMotion();
}

} // namespace Motion
