#include "views/kit/gnome_settings.h"

#include <gio/gio.h>

namespace GnomeSettings {

std::optional<bool> enableAnimations()
{
    // g_settings_new() aborts the process for a schema that is not installed, so look the
    // schema up first and give up quietly when it is missing.
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return std::nullopt;
    GSettingsSchema* schema =
        g_settings_schema_source_lookup(source, "org.gnome.desktop.interface", TRUE);
    if (!schema)
        return std::nullopt;
    std::optional<bool> result;
    if (g_settings_schema_has_key(schema, "enable-animations")) {
        GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
        result = g_settings_get_boolean(settings, "enable-animations") != FALSE;
        g_object_unref(settings);
    }
    g_settings_schema_unref(schema);
    return result;
}

} // namespace GnomeSettings
