#include "model/settings_record.h"
#include "pages/apply_pointer_settings.h"
#include "platform/pointer/gnome_pointer_settings.h"
#include "support/temporary_directory.h"

#include <cstdlib>
#include <fstream>
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <string>

namespace volantra {
namespace {

using test::TemporaryDirectory;

// GSettings keeps the values in memory, so the tests never touch the user's settings.
class GnomePointerSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { setenv("GSETTINGS_BACKEND", "memory", 1); }
};

struct MouseKeys
{
    std::string accelProfile;
    double speed = 0;
    int doubleClick = 0;
};

// What the desktop's own settings now read, through the installed schemas.
MouseKeys readInstalled()
{
    GSettings* settings = g_settings_new(GnomePointerSettings::kMouseSchema);
    gchar* profile = g_settings_get_string(settings, "accel-profile");
    MouseKeys keys{profile, g_settings_get_double(settings, "speed"),
                   g_settings_get_int(settings, "double-click")};
    g_free(profile);
    g_object_unref(settings);
    return keys;
}

TEST_F(GnomePointerSettingsTest, InstalledSchemasHoldTheMouseSettings)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    ASSERT_NE(source, nullptr) << "no GSettings schemas installed (gsettings-desktop-schemas)";
    GSettingsSchema* schema =
        g_settings_schema_source_lookup(source, GnomePointerSettings::kMouseSchema, TRUE);
    ASSERT_NE(schema, nullptr) << "install gsettings-desktop-schemas";
    for (const char* key : {"speed", "accel-profile", "double-click"})
        EXPECT_TRUE(g_settings_schema_has_key(schema, key)) << key;
    g_settings_schema_unref(schema);
}

TEST_F(GnomePointerSettingsTest, WritesSpeedAccelerationAndDoubleClickTime)
{
    struct Case
    {
        PointerValues values;
        const char* profile;
        double speed;
        int doubleClick;
    };
    const Case cases[] = {
        {{true, 10, false, 3, 480}, "adaptive", 0.0, 480},
        {{false, 1, false, 3, 900}, "flat", -0.9, 900},
        {{true, 12, true, 3, 130}, "adaptive", 0.2, 130},
        {{true, 20, false, 3, 500}, "adaptive", 1.0, 500},
        // Beyond the 1 to 20 scale: GNOME's ends.
        {{false, 0, false, 3, 400}, "flat", -1.0, 400},
        {{false, 25, false, 3, 400}, "flat", 1.0, 400},
    };
    GnomePointerSettings gnome;
    for (const Case& c : cases) {
        const PointerReport report = gnome.apply(c.values);
        for (PointerSetting setting :
             {PointerSetting::Acceleration, PointerSetting::Speed, PointerSetting::DoubleClickTime})
            EXPECT_TRUE(report[setting].applied())
                << pointerSettingName(setting) << ": " << report[setting].message();
        const MouseKeys keys = readInstalled();
        EXPECT_EQ(keys.accelProfile, c.profile) << c.values.speed;
        EXPECT_DOUBLE_EQ(keys.speed, c.speed) << c.values.speed;
        EXPECT_EQ(keys.doubleClick, c.doubleClick) << c.values.speed;
    }
}

TEST_F(GnomePointerSettingsTest, ReportsWheelScrollingAsMissingEveryTime)
{
    GnomePointerSettings gnome;
    for (bool byScreen : {false, true}) {
        const PointerReport report = gnome.apply({true, 10, byScreen, 7, 480});
        EXPECT_TRUE(report[PointerSetting::WheelScroll].isUnsupported());
        EXPECT_EQ(report[PointerSetting::WheelScroll].message(),
                  "GNOME has no setting for how far a wheel step scrolls; each application "
                  "chooses it.");
        EXPECT_TRUE(report.failures().empty());
    }
}

TEST_F(GnomePointerSettingsTest, AppliesTheFastestDialsOfAProfile)
{
    SettingsRecord record;
    record.setEnhancePointerPrecision(true);
    record.setPointerSpeed(12);
    record.setDoubleClickSpeed(12);
    GnomePointerSettings gnome;
    EXPECT_TRUE(applyPointerSettings(record, gnome).failures().empty());
    const MouseKeys keys = readInstalled();
    EXPECT_EQ(keys.accelProfile, "adaptive");
    EXPECT_DOUBLE_EQ(keys.speed, 1.0);
    EXPECT_EQ(keys.doubleClick, 130);
}

// Compiles `xml` as the only schema of a folder.
void compileSchema(const TemporaryDirectory& folder, const std::string& xml)
{
    std::ofstream(folder.file("mouse.gschema.xml")) << xml;
    const std::string command =
        std::string(VOLANTRA_GLIB_COMPILE_SCHEMAS) + " " + folder.path().string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// Settings of an older GNOME: a speed, an acceleration profile without 'adaptive', no
// double-click time.
constexpr const char* kOlderSchema = R"(<schemalist>
  <enum id="older.AccelProfile">
    <value nick="default" value="0"/>
    <value nick="flat" value="1"/>
  </enum>
  <schema id="org.gnome.desktop.peripherals.mouse" path="/org/gnome/desktop/peripherals/mouse/">
    <key name="speed" type="d"><default>0</default><range min="-1" max="1"/></key>
    <key name="accel-profile" enum="older.AccelProfile"><default>'default'</default></key>
  </schema>
</schemalist>
)";

TEST_F(GnomePointerSettingsTest, ReportsKeysAndValuesAnOlderGnomeLacks)
{
    TemporaryDirectory schemas;
    compileSchema(schemas, kOlderSchema);
    GnomePointerSettings gnome(schemas.path().string());

    PointerReport report = gnome.apply({true, 15, false, 3, 480});
    EXPECT_TRUE(report[PointerSetting::Speed].applied()) << report[PointerSetting::Speed].message();
    EXPECT_TRUE(report[PointerSetting::DoubleClickTime].isUnsupported());
    EXPECT_EQ(report[PointerSetting::DoubleClickTime].message(),
              "This version of GNOME has no setting org.gnome.desktop.peripherals.mouse "
              "double-click.");
    ASSERT_TRUE(report[PointerSetting::Acceleration].isFailed());
    EXPECT_EQ(report[PointerSetting::Acceleration].status().error().kind,
              Error::Kind::InvalidInput);
    EXPECT_EQ(report.failures(),
              (std::vector<std::string>{"GNOME does not accept 'adaptive' for "
                                        "org.gnome.desktop.peripherals.mouse accel-profile."}));

    report = gnome.apply({false, 15, false, 3, 480});
    EXPECT_TRUE(report[PointerSetting::Acceleration].applied());
}

TEST_F(GnomePointerSettingsTest, ReportsEverySettingMissingWithoutTheMouseSchema)
{
    TemporaryDirectory schemas;
    compileSchema(schemas, R"(<schemalist>
  <schema id="org.example.other" path="/org/example/other/">
    <key name="speed" type="d"><default>0</default></key>
  </schema>
</schemalist>
)");
    TemporaryDirectory empty;
    for (const std::string& folder : {schemas.path().string(), empty.path().string()}) {
        GnomePointerSettings gnome(folder);
        const PointerReport report = gnome.apply({true, 15, false, 3, 480});
        for (PointerSetting setting : {PointerSetting::Acceleration, PointerSetting::Speed,
                                       PointerSetting::DoubleClickTime}) {
            EXPECT_TRUE(report[setting].isUnsupported()) << folder;
            EXPECT_EQ(report[setting].message(),
                      "GNOME's mouse settings (org.gnome.desktop.peripherals.mouse) are not "
                      "installed.");
        }
    }
}

} // namespace
} // namespace volantra
