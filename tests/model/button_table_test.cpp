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
