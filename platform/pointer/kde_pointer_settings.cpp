#include "platform/pointer/kde_pointer_settings.h"

#include "model/ini_file.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <gio/gio.h>
#include <string_view>
#include <system_error>

namespace volantra {
namespace {

// What Plasma's settings send when the mouse settings changed: SettingsChanged (3) for
// the mouse category (0).
constexpr int kSettingsChanged = 3;
constexpr int kMouseSettings = 0;
// KWin's libinput acceleration profiles.
constexpr const char* kFlatProfile = "1";
constexpr const char* kAdaptiveProfile = "2";

std::string number(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

// Edits one file and saves it once; the first refused edit or the failed save is the error.
class FileEdit
{
public:
    FileEdit(const std::string& path, AtomicFileWriter& writer)
        : m_file(IniFile::load(path, writer))
    {
    }
    IniDocument* document() { return m_file ? &m_file->document() : nullptr; }
    void write(std::string_view section, std::string_view key, std::string_view value)
    {
        if (m_file && m_status.ok())
            m_status = m_file->document().writeString(section, key, value);
    }
    Status save()
    {
        if (!m_file)
            return m_file.error();
        if (m_status.ok())
            m_status = m_file->save();
        return m_status;
    }

private:
    Result<IniFile> m_file;
    Status m_status;
};

SettingOutcome outcomeOf(const Status& status)
{
    return status.ok() ? SettingOutcome() : SettingOutcome::failed(status.error());
}

// Tells running programs to read the mouse settings again. A connection of its own, so
// that a session bus going away never ends the program, as GLib's shared one would.
void announceMouseSettingsChanged()
{
    gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!address)
        return;
    GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
        address,
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    g_free(address);
    if (!bus)
        return;
    g_dbus_connection_emit_signal(bus, nullptr, "/KGlobalSettings", "org.kde.KGlobalSettings",
                                  "notifyChange",
                                  g_variant_new("(ii)", kSettingsChanged, kMouseSettings), nullptr);
    g_dbus_connection_flush_sync(bus, nullptr, nullptr);
    g_dbus_connection_close_sync(bus, nullptr, nullptr);
    g_object_unref(bus);
}

} // namespace

KdePointerSettings::KdePointerSettings(std::string configHome) : m_configHome(std::move(configHome))
{
}

double KdePointerSettings::kdeAcceleration(int speed)
{
    return std::clamp((speed - PointerValues::kDefaultSpeed) / 10.0, -1.0, 1.0);
}

PointerReport KdePointerSettings::apply(const PointerValues& values)
{
    PointerReport report;
    std::error_code created;
    std::filesystem::create_directories(m_configHome, created);
    if (created) {
        const SettingOutcome failed =
            SettingOutcome::failed({Error::Kind::Io, "Cannot create the folder " + m_configHome +
                                                         ": " + created.message()});
        for (PointerSetting setting : kPointerSettings)
            report.set(setting, failed);
        return report;
    }

    FileEdit input(m_configHome + "/" + kInputFile, m_writer);
    const std::string acceleration = number(kdeAcceleration(values.speed));
    input.write("Mouse", "XLbInptAccelProfileFlat", values.enhancedPrecision ? "false" : "true");
    input.write("Mouse", "XLbInptPointerAcceleration", acceleration);
    if (IniDocument* document = input.document()) {
        for (const std::string& group : document->sectionNames()) {
            if (!group.starts_with(kMouseGroupPrefix))
                continue;
            input.write(group, "PointerAccelerationProfile",
                        values.enhancedPrecision ? kAdaptiveProfile : kFlatProfile);
            input.write(group, "PointerAcceleration", acceleration);
        }
    }
    const Status inputSaved = input.save();
    report.set(PointerSetting::Acceleration, outcomeOf(inputSaved));
    report.set(PointerSetting::Speed, outcomeOf(inputSaved));

    FileEdit globals(m_configHome + "/" + kGlobalsFile, m_writer);
    globals.write("KDE", "DoubleClickInterval",
                  std::to_string(std::max(values.doubleClickMilliseconds, 1)));
    if (!values.scrollByScreen)
        globals.write("KDE", "WheelScrollLines", std::to_string(std::max(values.scrollLines, 1)));
    const Status globalsSaved = globals.save();
    report.set(PointerSetting::DoubleClickTime, outcomeOf(globalsSaved));
    report.set(PointerSetting::WheelScroll,
               values.scrollByScreen
                   ? SettingOutcome::unsupported(
                         "KDE Plasma has no setting to scroll one screen per wheel step.")
                   : outcomeOf(globalsSaved));

    if (inputSaved.ok() || globalsSaved.ok())
        announceMouseSettingsChanged();
    return report;
}

} // namespace volantra
