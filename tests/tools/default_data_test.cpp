#include "model/button_function.h"
#include "model/profile_file.h"
#include "model/profile_store.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/temporary_directory.h"
#include "tools/default_data.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace volantra {
namespace {

class ProfileDefaultDataTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(DefaultData::writeTo(directory.path().string(), writer)); }

    test::TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
};

TEST_F(ProfileDefaultDataTest, WritesEveryFileTheProgramReads)
{
    for (const char* name : {"config.bin", "config0.bin", "config1.bin", "config2.bin",
                             "config3.bin", "config4.bin", "config5.bin", "str.ini", "str0.ini",
                             "str1.ini", "str2.ini", "str3.ini", "str4.ini", "str5.ini"})
        EXPECT_TRUE(std::filesystem::is_regular_file(directory.file(name))) << name;
}

TEST_F(ProfileDefaultDataTest, TheFirstProfileLoadsWithTheDefaultSettings)
{
    ProfileStore store(directory.path().string(), writer);
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    EXPECT_EQ(store.currentProfileIndex(), 0);
    EXPECT_EQ(store.firstRunFlag(), 0);

    EXPECT_EQ(record.profile(), 0);
    EXPECT_EQ(record.reportInterval(), 1); // 1000 Hz
    const int dpi[] = {800, 1600, 2400, 3200};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(record.dpiStage(i) * 50, dpi[i]) << "stage " << i + 1;
    EXPECT_EQ(record.lightingMode(), 1);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_GT(record.lightingLevel(i), 1); // level 1 of Standard is lights off
        EXPECT_LT(record.lightingLevel(i), 6);
    }
    EXPECT_EQ(record.xSensitivity(), 5);
    EXPECT_EQ(record.ySensitivity(), 5);
    EXPECT_EQ(record.angleSnapLevel(), 1); // level 1 sends no snapping
    EXPECT_EQ(record.pointerSpeed(), 6);
    EXPECT_EQ(record.doubleClickSpeed(), 6);
    EXPECT_EQ(record.wheelScrollLines(), 3);
    EXPECT_EQ(record.scrollMode(), 0);

    struct Expected
    {
        ButtonFunctionKind kind;
        std::uint8_t scrollChoice;
        std::uint8_t dpiChoice;
        ButtonFunctionCode code;
    };
    const Expected buttons[] = {
        {ButtonFunctionKind::Click, 0, 0, {{0x01, 0x00, 0xF0, 0x00}}},
        {ButtonFunctionKind::Menu, 0, 0, {{0x01, 0x00, 0xF1, 0x00}}},
        {ButtonFunctionKind::ScrollSelect, 1, 0, {{0x01, 0x00, 0xF2, 0x00}}},
        {ButtonFunctionKind::IeBackward, 0, 0, {{0x01, 0x00, 0xF3, 0x00}}},
        {ButtonFunctionKind::IeForward, 0, 0, {{0x01, 0x00, 0xF4, 0x00}}},
        {ButtonFunctionKind::DpiCycle, 0, 1, {{0x07, 0x00, 0x01, 0x00}}},
        {ButtonFunctionKind::DpiCycle, 0, 2, {{0x07, 0x00, 0x02, 0x00}}},
        {ButtonFunctionKind::DpiCycle, 0, 3, {{0x07, 0x00, 0x03, 0x00}}},
    };
    for (std::size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE("button " + std::to_string(i + 1));
        const ButtonParameters button = record.button(i);
        EXPECT_EQ(button.kind, static_cast<std::uint8_t>(buttons[i].kind));
        EXPECT_EQ(button.scrollChoice, buttons[i].scrollChoice);
        EXPECT_EQ(button.dpiChoice, buttons[i].dpiChoice);
        EXPECT_EQ(encodeButtonFunction(button), buttons[i].code);
    }
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        EXPECT_EQ(record.macroImage(slot), DeviceImage{}) << "macro " << slot + 1;
}

TEST_F(ProfileDefaultDataTest, EveryProfileNamesItsButtonsInEachLanguage)
{
    struct Case
    {
        Language language;
        ProfileStore::ItemNames names;
    };
    const Case cases[] = {
        {Language::English,
         {"Click", "Menu", "Mouse M Button", "IE Backward", "IE Forward", "DPI +", "DPI -",
          "DPI Loop"}},
        {Language::SimplifiedChinese,
         {"左键", "右键", "中键", "后退", "前进", "DPI +", "DPI -", "DPI Loop"}},
        {Language::TraditionalChinese,
         {"左鍵", "右鍵", "中鍵", "後退", "前進", "DPI +", "DPI -", "DPI Loop"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ProfileStore::itemSection(c.language));
        ProfileStore store(directory.path().string(), writer, c.language);
        SettingsRecord record;
        ASSERT_TRUE(store.loadCurrentProfile(record));
        ASSERT_TRUE(store.readProfileIni());
        EXPECT_EQ(store.itemNames(), c.names);
        EXPECT_EQ(store.skin().path, "Default");
        EXPECT_EQ(store.readLanguageCode(), "EN");
        // Reset reads str.ini: it must hold the same names.
        SettingsRecord reset = record;
        ASSERT_TRUE(store.resetToDefaults(reset));
        EXPECT_EQ(store.itemNames(), c.names);
        EXPECT_EQ(reset, record);
    }
}

TEST_F(ProfileDefaultDataTest, TheTextColourIsLightOnTheDarkSkin)
{
    ProfileStore store(directory.path().string(), writer);
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    ASSERT_TRUE(store.readProfileIni());
    // Bright enough to read on the panels' dark grey (40, 40, 40).
    EXPECT_GE(store.skin().red + store.skin().green + store.skin().blue, 3 * 180);
}

TEST_F(ProfileDefaultDataTest, EachOfTheSixProfilesLoads)
{
    for (std::uint8_t i = 0; i < 6; ++i) {
        Result<SettingsRecord> record =
            loadProfileFile(directory.file(ProfileStore::profileFileName(i)));
        ASSERT_TRUE(record) << record.error().message;
        EXPECT_EQ(*record, DefaultData::record());
    }
}

} // namespace
} // namespace volantra
