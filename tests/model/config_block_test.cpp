#include "common/hex.h"
#include "model/config_block.h"
#include "support/random_record.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace volantra {
namespace {

DeviceImage imageFromHex(std::string_view text)
{
    const auto bytes = parseHex(text);
    EXPECT_TRUE(bytes.has_value());
    DeviceImage image{};
    EXPECT_EQ(bytes->size(), image.size());
    std::copy_n(bytes->begin(), std::min(bytes->size(), image.size()), image.begin());
    return image;
}

using test::randomRecord;

TEST(ConfigBlock, TemplateIsWhatTheMouseExpects)
{
    EXPECT_EQ(hexPacked(kConfigBlockTemplate),
              hexPacked(imageFromHex("88 08 3F 00 33 AA FE 0B 00 00 00 00 00 00 00 00"
                                     "01 02 04 08 0C 0E 0F 01 FF 00 00 00 FF 00 00 00"
                                     "FF FF 00 FF 00 FF FF FF 00 FF A0 A0 A0 FF FF FF"
                                     "2E 10 42 00 00 00 00 00 00 00 00 00 00 00 00 00"
                                     "0F 04 0A 0A 19 19 04 03 18 03 64 64 01 C0 F0 03"
                                     "01 01 64 00 08 10 14 28 D0 00 00 00 08 10 14 28"
                                     "D0 00 00 00 FF 00 00 FF 00 00 FF FF 00 00 61 00"
                                     "FF FF FF 00 FF A5 00 00 00 00 00 00 00 00 00 00")));
}

TEST(ConfigBlock, AFreshRecordGivesTheTemplateWithTheHostsConstants)
{
    EXPECT_EQ(hexPacked(buildConfigBlock(SettingsRecord())),
              hexPacked(imageFromHex("88 08 01 00 33 AA FE 0B 00 00 00 00 00 00 00 00"
                                     "01 02 04 08 0C 0E 0F 01 FF 00 00 00 FF 00 00 00"
                                     "FF FF 00 FF 00 FF FF FF 00 FF A0 A0 A0 FF FF FF"
                                     "2E 10 42 00 00 00 00 00 00 00 00 00 00 00 00 00"
                                     "0F 04 0A 0A 19 19 04 00 18 03 00 00 01 C0 F0 03"
                                     "01 01 64 00 00 00 00 00 D0 00 00 00 00 00 00 00"
                                     "D0 00 00 00 0F 00 00 FF 00 00 00 00 00 00 00 00"
                                     "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00")));
}

TEST(ConfigBlock, ATypicalRecordGivesItsWholeImage)
{
    SettingsRecord record = randomRecord(11);
    record.setAngleSnapLevel(4);
    record.setXSensitivity(5);
    record.setYSensitivity(11);
    record.setLightingMode(2);
    record.setLightingLevel(1, 4);
    const std::uint8_t stages[] = {8, 16, 32, 100};
    for (std::size_t i = 0; i < 4; ++i)
        record.setDpiStage(i, stages[i]);
    record.setStageColour(0, {.red = 0xFF, .green = 0x00, .blue = 0x00});
    record.setStageColour(1, {.red = 0x00, .green = 0x00, .blue = 0xFF});
    record.setStageColour(2, {.red = 0x00, .green = 0xFF, .blue = 0x00});
    record.setStageColour(3, {.red = 0x12, .green = 0x56, .blue = 0x34});

    EXPECT_EQ(hexPacked(buildConfigBlock(record)),
              hexPacked(imageFromHex("88 08 01 00 33 AA FE 0B 00 00 00 00 00 00 00 00"
                                     "01 02 04 08 0C 0E 0F 01 FF 00 00 00 FF 00 00 00"
                                     "FF FF 00 FF 00 FF FF FF 00 FF A0 A0 A0 FF FF FF"
                                     "2E 10 42 85 00 00 00 00 00 00 00 00 00 00 00 00"
                                     "0F 04 0A 0A 19 19 04 02 02 03 64 DC 01 C0 F0 03"
                                     "01 01 64 00 08 10 20 64 D0 00 00 00 08 10 20 64"
                                     "D0 00 00 00 0F 00 00 FF FF 00 00 00 FF 00 00 00"
                                     "FF 12 34 56 00 00 00 00 00 00 00 00 00 00 00 00")));
}

TEST(ConfigBlock, AngleSnapLevelsSelectTheirCode)
{
    const std::uint8_t codes[] = {0x00, 0x82, 0x84, 0x85, 0x86, 0x87, 0x89, 0x8B, 0x8D, 0x8F};
    for (unsigned level = 0; level <= 0xFF; ++level) {
        SettingsRecord record = randomRecord(level);
        record.setAngleSnapLevel(static_cast<std::uint8_t>(level));
        // Levels the page cannot set keep the template's "no snap".
        const std::uint8_t expected = level >= 1 && level <= 10 ? codes[level - 1] : 0x00;
        EXPECT_EQ(buildConfigBlock(record)[51], expected) << level;
    }
}

TEST(ConfigBlock, SensitivityIsTwentyPerLevelModulo256)
{
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {
        {1, 20}, {2, 40}, {5, 0x64}, {10, 200}, {11, 220}, {0, 0}, {12, 240}, {13, 4}, {255, 236},
    };
    for (const auto& [level, expected] : cases) {
        SettingsRecord record;
        record.setXSensitivity(level);
        record.setYSensitivity(static_cast<std::uint8_t>(12 - level % 12));
        const DeviceImage block = buildConfigBlock(record);
        EXPECT_EQ(block[74], expected) << int(level);

        SettingsRecord swapped;
        swapped.setYSensitivity(level);
        EXPECT_EQ(buildConfigBlock(swapped)[75], expected) << int(level);
        EXPECT_EQ(buildConfigBlock(swapped)[74], 0);
    }
}

struct LightingCase
{
    std::uint8_t mode;
    std::uint8_t levels[3];
    const char* bytes71to73;
};

const LightingCase kLightingCases[] = {
    {0, {3, 3, 3}, "00 18 03"},   {1, {1, 5, 5}, "00 18 03"}, {1, {2, 1, 1}, "01 04 03"},
    {1, {6, 1, 1}, "01 0c 03"},   {1, {0, 1, 1}, "01 00 03"}, {1, {200, 1, 1}, "01 90 03"},
    {2, {1, 1, 1}, "02 05 03"},   {2, {6, 6, 6}, "02 00 03"}, {2, {6, 7, 6}, "02 ff 03"},
    {2, {1, 3, 1}, "02 03 03"},   {3, {1, 1, 5}, "03 0f 03"}, {3, {6, 6, 1}, "03 03 03"},
    {3, {1, 1, 100}, "03 2c 03"}, {4, {2, 2, 2}, "04 18 03"}, {255, {2, 2, 2}, "ff 18 03"},
};

TEST(ConfigBlock, LightingModeAndItsLevel)
{
    for (const LightingCase& c : kLightingCases) {
        SettingsRecord record = randomRecord(c.mode);
        record.setLightingMode(c.mode);
        for (std::size_t i = 0; i < 3; ++i)
            record.setLightingLevel(i, c.levels[i]);
        const DeviceImage block = buildConfigBlock(record);
        EXPECT_EQ(hexSpaced(std::span(block).subspan(71, 3)), c.bytes71to73)
            << "mode " << int(c.mode) << " levels " << int(c.levels[0]) << " " << int(c.levels[1])
            << " " << int(c.levels[2]);
    }
}

TEST(ConfigBlock, ColoursKeepTheRecordsRedBlueGreenOrder)
{
    SettingsRecord record = randomRecord(6);
    for (std::size_t stage = 0; stage < 4; ++stage) {
        const auto s = static_cast<std::uint8_t>(stage + 1);
        record.setStageColour(stage, {.red = std::uint8_t(0xA0 | s),
                                      .green = std::uint8_t(0xC0 | s),
                                      .blue = std::uint8_t(0xB0 | s)});
    }
    const DeviceImage block = buildConfigBlock(record);
    EXPECT_EQ(hexSpaced(std::span(block).subspan(104, 12)), "a1 b1 c1 a2 b2 c2 a3 b3 c3 a4 b4 c4");
    EXPECT_EQ(hexSpaced(std::span(block).subspan(104, 12)),
              hexSpaced(std::span(record.bytes()).subspan(0x017, 12)));
}

// Every byte the host does not set keeps its template value, whatever the record holds.
TEST(ConfigBlock, UnmappedBytesKeepTheTemplate)
{
    std::set<std::size_t> mapped = {2, 50, 51, 64, 70, 71, 72, 73, 74, 75, 100};
    for (std::size_t i = 84; i <= 87; ++i)
        mapped.insert(i);
    for (std::size_t i = 92; i <= 95; ++i)
        mapped.insert(i);
    for (std::size_t i = 104; i < 128; ++i)
        mapped.insert(i);

    for (unsigned seed = 0; seed < 200; ++seed) {
        const DeviceImage block = buildConfigBlock(randomRecord(seed));
        for (std::size_t i = 0; i < 128; ++i) {
            if (mapped.count(i) == 0) {
                ASSERT_EQ(block[i], kConfigBlockTemplate[i]) << "offset " << i;
            }
        }
        for (std::size_t i = 116; i < 128; ++i)
            ASSERT_EQ(block[i], 0) << "offset " << i;
        EXPECT_EQ(hexSpaced(std::span(block).subspan(88, 2)), "d0 00");
        EXPECT_EQ(hexSpaced(std::span(block).subspan(96, 2)), "d0 00");
        EXPECT_EQ(block[2], 0x01);
        EXPECT_EQ(block[50], 0x42);
        EXPECT_EQ(block[64], 0x0F);
        EXPECT_EQ(block[70], 0x04);
        EXPECT_EQ(block[100], 0x0F);
    }
}

TEST(ConfigBlock, ProfileByteDoesNotChangeTheImage)
{
    SettingsRecord record = randomRecord(9);
    record.setProfile(0);
    const DeviceImage forProfile0 = buildConfigBlock(record);
    record.setProfile(5);
    EXPECT_EQ(buildConfigBlock(record), forProfile0);
}

TEST(StageDpiForNotice, ReadsStagesOneToSixFromTheImage)
{
    DeviceImage config = kConfigBlockTemplate;
    const std::uint8_t stages[] = {2, 16, 40, 100, 0xD0, 0};
    std::copy(std::begin(stages), std::end(stages), config.begin() + 84);
    const std::pair<int, std::optional<unsigned>> cases[] = {
        {1, 100},
        {2, 800},
        {3, 2000},
        {4, 5000},
        {5, 10400},
        {6, 0},
        {0, std::nullopt},
        {7, std::nullopt},
        {-1, std::nullopt},
        {255, std::nullopt},
        {100000, std::nullopt},
    };
    for (const auto& [stage, dpi] : cases)
        EXPECT_EQ(stageDpiForNotice(config, stage), dpi) << stage;
}

TEST(StageDpiForNotice, AZeroedImageFromAFailedReadGivesZero)
{
    const DeviceImage zeros{};
    for (int stage = 1; stage <= 6; ++stage)
        EXPECT_EQ(stageDpiForNotice(zeros, stage), 0u) << stage;
}

} // namespace
} // namespace volantra
