#include "common/hex.h"
#include "model/button_table.h"

#include <gtest/gtest.h>
#include <random>

namespace volantra {
namespace {

std::string slotsHex(const DeviceImage& table)
{
    std::string out;
    for (std::size_t slot = 0; slot < 32; ++slot) {
        if (slot != 0)
            out += " | ";
        out += hexPacked(std::span(table).subspan(4 * slot, 4));
    }
    return out;
}

TEST(ButtonTable, PutsEachButtonInItsSlot)
{
    SettingsRecord record;
    for (std::size_t button = 0; button < 8; ++button) {
        ButtonParameters single;
        single.kind = 10;
        single.singleKeyUsage = static_cast<std::uint8_t>(0x21 + button);
        record.setButton(button, single);
    }
    const DeviceImage table = buildButtonTable(record);
    EXPECT_EQ(hexPacked(table), "00002100"
                                "00002200"
                                "00002300"
                                "00002600"
                                "00002700"
                                "00002800"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00002400"
                                "00002500"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000"
                                "00000000");
}

TEST(ButtonTable, AllClickRecordAssignsALeftClickToEveryButton)
{
    const DeviceImage table = buildButtonTable(SettingsRecord());
    const std::string click = "01 00 f0 00";
    const std::size_t usedSlots[] = {0, 1, 2, 14, 15, 3, 4, 5};
    for (std::size_t slot : usedSlots)
        EXPECT_EQ(hexSpaced(std::span(table).subspan(4 * slot, 4)), click) << slot;
    std::size_t clicks = 0;
    for (std::size_t slot = 0; slot < 32; ++slot)
        clicks += hexSpaced(std::span(table).subspan(4 * slot, 4)) == click;
    EXPECT_EQ(clicks, 8u);
}

TEST(ButtonTable, MixedKindsEncodeInPlace)
{
    SettingsRecord record;
    const ButtonParameters buttons[8] = {
        {.kind = 0},
        {.kind = 1},
        {.kind = 2, .scrollChoice = 1},
        {.kind = 7, .multimediaUsage = 0x83},
        {.kind = 12, .macroPosition = 0, .macroRepeatMode = 2},
        {.kind = 11, .comboModifiers = 0x01, .comboFirstKey = 0x04},
        {.kind = 9, .windowsChoice = 3},
        {.kind = 200},
    };
    for (std::size_t i = 0; i < 8; ++i)
        record.setButton(i, buttons[i]);
    EXPECT_EQ(slotsHex(buildButtonTable(record)),
              "0100f000 | 0100f100 | 0100f200 | 00010400 | 00042c1b | 00000000 | 00000000 | "
              "00000000 | 00000000 | 00000000 | 00000000 | 00000000 | 00000000 | 00000000 | "
              "03008301 | 09020100 | 00000000 | 00000000 | 00000000 | 00000000 | 00000000 | "
              "00000000 | 00000000 | 00000000 | 00000000 | 00000000 | 00000000 | 00000000 | "
              "00000000 | 00000000 | 00000000 | 00000000");
}

TEST(ButtonTable, SlotsNoButtonUsesStayZeroForAnyRecord)
{
    const std::size_t usedSlots[] = {0, 1, 2, 3, 4, 5, 14, 15};
    for (unsigned seed = 0; seed < 100; ++seed) {
        std::mt19937 random(seed);
        SettingsRecord::Bytes bytes{};
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        const DeviceImage table = buildButtonTable(SettingsRecord(bytes));
        for (std::size_t i = 0; i < table.size(); ++i) {
            const std::size_t slot = i / 4;
            if (std::find(std::begin(usedSlots), std::end(usedSlots), slot) ==
                std::end(usedSlots)) {
                ASSERT_EQ(table[i], 0) << "slot " << slot;
            }
        }
    }
}

} // namespace
} // namespace volantra

namespace volantra {
namespace {

// The mouse's button codes, written out from the code table on their own (not derived
// from the encoder), for comparing whole tables built from random records.
std::array<std::uint8_t, 4> expectedCode(const std::uint8_t* record, std::size_t button)
{
    const auto at = [&](std::size_t offset) { return record[offset + button]; };
    static const std::uint8_t windows[7][4] = {{0x03, 0x00, 0x94, 0x01}, {0x03, 0x00, 0x23, 0x02},
                                               {0x03, 0x00, 0x21, 0x02}, {0x00, 0x04, 0x2C, 0x1B},
                                               {0x00, 0x04, 0x2C, 0x11}, {0x00, 0x00, 0xE3, 0x07},
                                               {0x00, 0x00, 0xE3, 0x15}};
    switch (at(0x03C)) {
    case 0:
        return {0x01, 0x00, 0xF0, 0x00};
    case 1:
        return {0x01, 0x00, 0xF1, 0x00};
    case 2:
        switch (at(0x044)) {
        case 1:
            return {0x01, 0x00, 0xF2, 0x00};
        case 2:
            return {0x01, 0x00, 0xF7, 0x00};
        case 3:
            return {0x01, 0x00, 0xF8, 0x00};
        default:
            return {};
        }
    case 3:
        return {0x01, 0x00, 0xF4, 0x00};
    case 4:
        return {0x01, 0x00, 0xF3, 0x00};
    case 5:
        return {0x0A, 0xF0, 0x1E, 0x02};
    case 6:
        if (at(0x04C) < 1 || at(0x04C) > 3)
            return {};
        return {0x07, 0x00, at(0x04C), 0x00};
    case 7:
        return {0x03, 0x00, at(0x05C), std::uint8_t(at(0x05C) == 0x83 ? 1 : 0)};
    case 8:
        return {0x00, 0x00, 0xE0, at(0x084)};
    case 9:
        if (at(0x064) > 6)
            return {};
        return {windows[at(0x064)][0], windows[at(0x064)][1], windows[at(0x064)][2],
                windows[at(0x064)][3]};
    case 10:
        return {0x00, 0x00, at(0x08C), 0x00};
    case 11:
        return {0x00, at(0x094), at(0x09C), at(0x0A4)};
    case 12:
        return {0x09, at(0x0D4), std::uint8_t(at(0x0CC) + 1), 0x00};
    default:
        return {}; // 13 "Button Off" and everything no menu offers
    }
}

TEST(ButtonTable, RandomRecordsGiveTheCodesOfTheTable)
{
    constexpr std::size_t kSlots[8] = {0, 1, 2, 14, 15, 3, 4, 5};
    for (unsigned seed = 0; seed < 500; ++seed) {
        std::mt19937 random(seed);
        SettingsRecord::Bytes bytes{};
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        // Most random kinds are out of range; give half the buttons a real one.
        for (std::size_t button = 0; button < 8; button += 2)
            bytes[0x03C + button] = static_cast<std::uint8_t>(random() % 14);
        const DeviceImage table = buildButtonTable(SettingsRecord(bytes));
        for (std::size_t button = 0; button < 8; ++button) {
            const std::array<std::uint8_t, 4> expected = expectedCode(bytes.data(), button);
            for (std::size_t i = 0; i < 4; ++i)
                ASSERT_EQ(table[4 * kSlots[button] + i], expected[i])
                    << "seed " << seed << " button " << button + 1 << " kind "
                    << int(bytes[0x03C + button]) << " byte " << i;
        }
    }
}

} // namespace
} // namespace volantra
