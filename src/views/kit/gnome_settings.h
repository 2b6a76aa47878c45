#pragma once

#include <optional>

// GNOME's desktop settings, read through GSettings. Kept apart from Qt code because the GLib
// headers and Qt's keywords do not mix.
namespace GnomeSettings {

// The value of org.gnome.desktop.interface enable-animations, or none when the schema (or
// the key) is not installed.
std::optional<bool> enableAnimations();

} // namespace GnomeSettings
