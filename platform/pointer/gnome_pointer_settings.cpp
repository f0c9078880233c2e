#include "platform/pointer/gnome_pointer_settings.h"

#include <algorithm>
#include <gio/gio.h>
#include <memory>

namespace volantra {
namespace {

template <typename T, void (*Free)(T*)> struct GFree
{
    void operator()(T* pointer) const { Free(pointer); }
};
using SchemaSource = std::unique_ptr<GSettingsSchemaSource,
                                     GFree<GSettingsSchemaSource, g_settings_schema_source_unref>>;
using Schema = std::unique_ptr<GSettingsSchema, GFree<GSettingsSchema, g_settings_schema_unref>>;
using SchemaKey =
    std::unique_ptr<GSettingsSchemaKey, GFree<GSettingsSchemaKey, g_settings_schema_key_unref>>;
using Variant = std::unique_ptr<GVariant, GFree<GVariant, g_variant_unref>>;

void unrefObject(GSettings* settings)
{
    g_object_unref(settings);
}
using Settings = std::unique_ptr<GSettings, GFree<GSettings, unrefObject>>;

std::string where(const char* key)
{
    return std::string(GnomePointerSettings::kMouseSchema) + " " + key;
}

// Writes one key, if this GNOME has it and takes the value.
SettingOutcome writeKey(GSettings* settings, GSettingsSchema* schema, const char* key,
                        GVariant* floatingValue)
{
    const Variant value(g_variant_ref_sink(floatingValue));
    if (!g_settings_schema_has_key(schema, key))
        return SettingOutcome::unsupported("This version of GNOME has no setting " + where(key) +
                                           ".");
    const SchemaKey schemaKey(g_settings_schema_get_key(schema, key));
    if (!g_variant_is_of_type(value.get(), g_settings_schema_key_get_value_type(schemaKey.get())) ||
        !g_settings_schema_key_range_check(schemaKey.get(), value.get())) {
        gchar* printed = g_variant_print(value.get(), FALSE);
        const std::string shown(printed);
        g_free(printed);
        return SettingOutcome::failed({Error::Kind::InvalidInput, "GNOME does not accept " + shown +
                                                                      " for " + where(key) + "."});
    }
    if (!g_settings_is_writable(settings, key))
        return SettingOutcome::failed(
            {Error::Kind::Permission, where(key) + " is locked by the system's administrator."});
    if (!g_settings_set_value(settings, key, value.get()))
        return SettingOutcome::failed({Error::Kind::Io, "GNOME did not store " + where(key) + "."});
    return {};
}

} // namespace

GnomePointerSettings::GnomePointerSettings(std::string schemaDirectory)
    : m_schemaDirectory(std::move(schemaDirectory))
{
}

double GnomePointerSettings::gnomeSpeed(int speed)
{
    return std::clamp((speed - PointerValues::kDefaultSpeed) / 10.0, -1.0, 1.0);
}

PointerReport GnomePointerSettings::apply(const PointerValues& values)
{
    PointerReport report;
    report.set(PointerSetting::WheelScroll,
               SettingOutcome::unsupported(
                   "GNOME has no setting for how far a wheel step scrolls; each application "
                   "chooses it."));

    SchemaSource source;
    GError* error = nullptr;
    if (m_schemaDirectory.empty()) {
        if (GSettingsSchemaSource* installed = g_settings_schema_source_get_default())
            source.reset(g_settings_schema_source_ref(installed));
    } else {
        source.reset(g_settings_schema_source_new_from_directory(m_schemaDirectory.c_str(), nullptr,
                                                                 TRUE, &error));
        g_clear_error(&error);
    }
    const Schema schema(source ? g_settings_schema_source_lookup(source.get(), kMouseSchema, TRUE)
                               : nullptr);
    if (!schema) {
        const SettingOutcome missing = SettingOutcome::unsupported(
            "GNOME's mouse settings (" + std::string(kMouseSchema) + ") are not installed.");
        for (PointerSetting setting :
             {PointerSetting::Acceleration, PointerSetting::Speed, PointerSetting::DoubleClickTime})
            report.set(setting, missing);
        return report;
    }

    const Settings settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    report.set(PointerSetting::Acceleration,
               writeKey(settings.get(), schema.get(), "accel-profile",
                        g_variant_new_string(values.enhancedPrecision ? "adaptive" : "flat")));
    report.set(PointerSetting::Speed, writeKey(settings.get(), schema.get(), "speed",
                                               g_variant_new_double(gnomeSpeed(values.speed))));
    report.set(PointerSetting::DoubleClickTime,
               writeKey(settings.get(), schema.get(), "double-click",
                        g_variant_new_int32(std::max(values.doubleClickMilliseconds, 1))));
    // Waits until the desktop's settings store has the values.
    g_settings_sync();
    return report;
}

} // namespace volantra
