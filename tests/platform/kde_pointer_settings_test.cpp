#include "model/ini_document.h"
#include "platform/pointer/kde_pointer_settings.h"
#include "support/temporary_directory.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <string>

namespace volantra {
namespace {

using test::readText;
using test::TemporaryDirectory;

class KdePointerSettingsTest : public ::testing::Test
{
protected:
    // No session bus unless a test starts its own: the reload signal must never reach the
    // desktop of whoever runs the tests.
    void SetUp() override
    {
        setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/volantra-test-bus", 1);
    }

    std::string configHome() const { return m_home.file("config"); }
    std::string inputFile() const { return configHome() + "/kcminputrc"; }
    std::string globalsFile() const { return configHome() + "/kdeglobals"; }
    void writeFile(const std::string& path, const std::string& text) const
    {
        std::filesystem::create_directories(configHome());
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string read(const std::string& path, const char* section, const char* key) const
    {
        return IniDocument::parse(readText(path)).readString(section, key, "<missing>");
    }

    TemporaryDirectory m_home;
};

TEST_F(KdePointerSettingsTest, CreatesTheConfigFilesWithTheMouseKeys)
{
    KdePointerSettings kde(configHome());
    const PointerReport report = kde.apply({true, 12, false, 7, 480});

    for (PointerSetting setting : kPointerSettings)
        EXPECT_TRUE(report[setting].applied())
            << pointerSettingName(setting) << ": " << report[setting].message();
    EXPECT_EQ(readText(inputFile()),
              "[Mouse]\nXLbInptAccelProfileFlat=false\nXLbInptPointerAcceleration=0.2\n");
    EXPECT_EQ(readText(globalsFile()), "[KDE]\nDoubleClickInterval=480\nWheelScrollLines=7\n");
}

TEST_F(KdePointerSettingsTest, MapsEachValueOntoPlasmasScale)
{
    struct Case
    {
        PointerValues values;
        const char* flat;
        const char* acceleration;
        const char* interval;
        const char* lines;
    };
    const Case cases[] = {
        {{false, 10, false, 3, 900}, "true", "0", "900", "3"},
        {{true, 1, false, 1, 130}, "false", "-0.9", "130", "1"},
        {{true, 20, false, 100, 480}, "false", "1", "480", "100"},
        {{false, 0, false, 0, 0}, "true", "-1", "1", "1"},
        {{false, 30, false, 3, 480}, "true", "1", "480", "3"},
    };
    KdePointerSettings kde(configHome());
    for (const Case& c : cases) {
        EXPECT_TRUE(kde.apply(c.values).failures().empty());
        EXPECT_EQ(read(inputFile(), "Mouse", "XLbInptAccelProfileFlat"), c.flat);
        EXPECT_EQ(read(inputFile(), "Mouse", "XLbInptPointerAcceleration"), c.acceleration);
        EXPECT_EQ(read(globalsFile(), "KDE", "DoubleClickInterval"), c.interval);
        EXPECT_EQ(read(globalsFile(), "KDE", "WheelScrollLines"), c.lines);
    }
}

TEST_F(KdePointerSettingsTest, KeepsEverythingElseInTheFiles)
{
    const std::string globals = "# written by Plasma\n"
                                "[General]\n"
                                "ColorScheme=BreezeDark\n"
                                "Name[de]=Dunkel\n"
                                "\n"
                                "[KDE]\n"
                                "DoubleClickInterval=400\n"
                                "LookAndFeelPackage=org.kde.breezedark.desktop\n"
                                "WheelScrollLines=3\n"
                                "\n"
                                "[Icons]\n"
                                "Theme=breeze-dark\n";
    writeFile(globalsFile(), globals);
    KdePointerSettings kde(configHome());
    EXPECT_TRUE(kde.apply({true, 10, false, 5, 620}).failures().empty());

    std::string expected = globals;
    expected.replace(expected.find("DoubleClickInterval=400"), 23, "DoubleClickInterval=620");
    expected.replace(expected.find("WheelScrollLines=3"), 18, "WheelScrollLines=5");
    EXPECT_EQ(readText(globalsFile()), expected);
}

TEST_F(KdePointerSettingsTest, UpdatesKWinsGroupsOfThisMouseOnly)
{
    writeFile(inputFile(), "[Libinput][1133][49271][Logitech USB Optical Mouse]\n"
                           "PointerAcceleration=0.500\n"
                           "PointerAccelerationProfile=1\n"
                           "\n"
                           "[Libinput][1241][41204][Volantra Gaming Mouse]\n"
                           "LeftHanded=false\n"
                           "PointerAcceleration=0.000\n"
                           "PointerAccelerationProfile=1\n"
                           "\n"
                           "[Mouse]\n"
                           "cursorTheme=breeze_cursors\n");
    KdePointerSettings kde(configHome());
    EXPECT_TRUE(kde.apply({true, 4, false, 3, 480}).failures().empty());

    EXPECT_EQ(readText(inputFile()), "[Libinput][1133][49271][Logitech USB Optical Mouse]\n"
                                     "PointerAcceleration=0.500\n"
                                     "PointerAccelerationProfile=1\n"
                                     "\n"
                                     "[Libinput][1241][41204][Volantra Gaming Mouse]\n"
                                     "LeftHanded=false\n"
                                     "PointerAcceleration=-0.6\n"
                                     "PointerAccelerationProfile=2\n"
                                     "\n"
                                     "[Mouse]\n"
                                     "cursorTheme=breeze_cursors\n"
                                     "XLbInptAccelProfileFlat=false\n"
                                     "XLbInptPointerAcceleration=-0.6\n");
}

TEST_F(KdePointerSettingsTest, LeavesTheLinesAloneWhenScrollingByScreen)
{
    writeFile(globalsFile(), "[KDE]\nWheelScrollLines=4\n");
    KdePointerSettings kde(configHome());
    const PointerReport report = kde.apply({true, 10, true, 9, 480});

    EXPECT_TRUE(report[PointerSetting::WheelScroll].isUnsupported());
    EXPECT_EQ(report[PointerSetting::WheelScroll].message(),
              "KDE Plasma has no setting to scroll one screen per wheel step.");
    EXPECT_TRUE(report[PointerSetting::DoubleClickTime].applied());
    EXPECT_EQ(readText(globalsFile()), "[KDE]\nWheelScrollLines=4\nDoubleClickInterval=480\n");
}

TEST_F(KdePointerSettingsTest, ReportsAFileItCannotWriteAndWritesTheOther)
{
    // A folder where kcminputrc should be: neither read nor replaced.
    std::filesystem::create_directories(inputFile());
    KdePointerSettings kde(configHome());
    const PointerReport report = kde.apply({true, 10, false, 5, 480});

    ASSERT_TRUE(report[PointerSetting::Acceleration].isFailed());
    ASSERT_TRUE(report[PointerSetting::Speed].isFailed());
    EXPECT_NE(report[PointerSetting::Speed].message().find(inputFile()), std::string::npos)
        << report[PointerSetting::Speed].message();
    EXPECT_EQ(report.failures().size(), 2u);
    EXPECT_TRUE(report[PointerSetting::DoubleClickTime].applied());
    EXPECT_EQ(read(globalsFile(), "KDE", "WheelScrollLines"), "5");
}

TEST_F(KdePointerSettingsTest, ReportsEverySettingWhenTheConfigFolderCannotBeMade)
{
    std::ofstream(m_home.file("config")) << "a file, not a folder";
    KdePointerSettings kde(configHome());
    const PointerReport report = kde.apply({true, 10, false, 5, 480});
    EXPECT_EQ(report.failures().size(), kPointerSettings.size());
    EXPECT_NE(report.failures().front().find(configHome()), std::string::npos);
}

void onNotifyChange(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                    GVariant* parameters, gpointer received)
{
    gint type = 0;
    gint category = 0;
    g_variant_get(parameters, "(ii)", &type, &category);
    static_cast<std::vector<std::pair<int, int>>*>(received)->emplace_back(type, category);
}

void waitForEvents()
{
    if (!g_main_context_iteration(nullptr, FALSE))
        g_usleep(1000);
}

TEST_F(KdePointerSettingsTest, TellsPlasmaToReadTheMouseSettingsAgain)
{
    GTestDBus* testBus = g_test_dbus_new(G_TEST_DBUS_NONE);
    g_test_dbus_up(testBus); // points DBUS_SESSION_BUS_ADDRESS at a bus of its own
    GDBusConnection* listener = g_dbus_connection_new_for_address_sync(
        g_test_dbus_get_bus_address(testBus),
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    ASSERT_NE(listener, nullptr);
    std::vector<std::pair<int, int>> received;
    const guint subscription = g_dbus_connection_signal_subscribe(
        listener, nullptr, "org.kde.KGlobalSettings", "notifyChange", "/KGlobalSettings", nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, onNotifyChange, &received, nullptr);
    // A call answered after the match rule was added: the rule is in place before we emit.
    GVariant* id = g_dbus_connection_call_sync(
        listener, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId",
        nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    ASSERT_NE(id, nullptr);
    g_variant_unref(id);

    KdePointerSettings kde(configHome());
    EXPECT_TRUE(kde.apply({true, 10, false, 5, 480}).failures().empty());

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (received.empty() && std::chrono::steady_clock::now() < deadline)
        waitForEvents();
    // Anything else that arrives in a short while would be a second signal.
    const auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    while (std::chrono::steady_clock::now() < settle)
        waitForEvents();
    EXPECT_EQ(received, (std::vector<std::pair<int, int>>{{3, 0}}));

    g_dbus_connection_signal_unsubscribe(listener, subscription);
    g_dbus_connection_close_sync(listener, nullptr, nullptr);
    g_object_unref(listener);
    g_test_dbus_down(testBus);
    g_object_unref(testBus);
}

TEST_F(KdePointerSettingsTest, WritesTheFilesWithoutASessionBus)
{
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("DISPLAY");
    setenv("XDG_RUNTIME_DIR", m_home.path().c_str(), 1);
    KdePointerSettings kde(configHome());
    EXPECT_TRUE(kde.apply({false, 10, false, 5, 480}).failures().empty());
    EXPECT_EQ(read(inputFile(), "Mouse", "XLbInptAccelProfileFlat"), "true");
}

} // namespace
} // namespace volantra
