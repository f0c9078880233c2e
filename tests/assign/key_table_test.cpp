#include "assign/key_table.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace volantra {
namespace {

struct Row
{
    std::string name;
    std::uint8_t code;
};

// The key names in runs of consecutive usages, as the Keyboard/Keypad usage page numbers
// them; 0x64 has no name and the mouse buttons follow at 0xF0.
std::vector<Row> expectedKeyRows()
{
    const std::pair<std::vector<std::string>, std::uint8_t> runs[] = {
        {{"1",     "2", "3", "4",     "5",   "6",         "7",
          "8",     "9", "0", "Enter", "Esc", "Backspace", "Tab",
          "Space", "-", "=", "[",     "]",   "\\",        "Eurpo(Note 2)",
          ";",     "'", "`", ",",     ".",   "/",         "Caps Lock"},
         0x1E},
        {{"Prnt Scrn", "Scroll Lock", "Pause", "Insert", "Home", "Page Up", "Delete", "End",
          "Page Down", "Right", "Left", "Down", "Up", "Num Lock", "Num /", "Num *", "Num -",
          "Num +", "Num Enter"},
         0x46},
        {{"Application"}, 0x65},
        {{"Ctrl", "Shift", "Alt", "Left Windows", "Right Ctrl", "Right Shift", "Right Alt",
          "Right Windows"},
         0xE0},
        {{"L-Button", "R-Button", "M-Button"}, 0xF0},
    };
    std::vector<Row> rows;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        rows.push_back({std::string(1, letter), std::uint8_t(0x04 + (letter - 'A'))});
    auto addRun = [&rows](const std::vector<std::string>& names, std::uint8_t first) {
        for (std::size_t i = 0; i < names.size(); ++i)
            rows.push_back({names[i], std::uint8_t(first + i)});
    };
    addRun(runs[0].first, runs[0].second);
    for (int f = 1; f <= 12; ++f)
        rows.push_back({"F" + std::to_string(f), std::uint8_t(0x39 + f)});
    addRun(runs[1].first, runs[1].second);
    for (int n = 1; n <= 9; ++n)
        rows.push_back({"Num " + std::to_string(n), std::uint8_t(0x58 + n)});
    rows.push_back({"Num 0", 0x62});
    rows.push_back({"Num Del", 0x63});
    for (std::size_t i = 2; i < std::size(runs); ++i)
        addRun(runs[i].first, runs[i].second);
    return rows;
}

TEST(KeyNameTable, HoldsEveryKeyInTableOrder)
{
    const std::vector<Row> expected = expectedKeyRows();
    const auto table = keyNameTable();
    ASSERT_EQ(expected.size(), 108u);
    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table[i].name, expected[i].name) << i;
        EXPECT_EQ(table[i].code, expected[i].code) << expected[i].name;
    }
}

TEST(KeyNameToUsage, FindsEveryNameAndItsReverse)
{
    for (const Row& row : expectedKeyRows()) {
        EXPECT_EQ(keyNameToUsage(row.name), row.code) << row.name;
        EXPECT_EQ(usageToKeyName(row.code), row.name) << row.name;
    }
}

TEST(KeyNameToUsage, LooksUpExactNamesOnly)
{
    const std::pair<const char*, std::uint8_t> cases[] = {
        {"A", 0x04},
        {"a", 0x00},
        {"Num Enter", 0x58},
        {"Enter", 0x28},
        {"Right Windows", 0xE7},
        {"Application", 0x65},
        {"\\", 0x31},
        {"Left Ctrl", 0x00},
        {"Ctrl", 0xE0},
        {"L-Button", 0xF0},
        {"M-Button", 0xF2},
        {"A ", 0x00},
        {" A", 0x00},
        {"ENTER", 0x00},
        {"Strg", 0x00},
        {"Eingabe", 0x00},
        {"", 0x00},
        {"Num", 0x00},
        {"F13", 0x00},
    };
    for (const auto& [name, usage] : cases)
        EXPECT_EQ(keyNameToUsage(name), usage) << '"' << name << '"';
}

TEST(KeyNameToUsage, IgnoresAnythingAfterAnEmbeddedNul)
{
    EXPECT_EQ(keyNameToUsage(std::string_view("A\0B", 3)), 0x00);
}

TEST(UsageToKeyName, HasNoNameForZeroOrUnusedBytes)
{
    std::set<std::uint8_t> named;
    for (const Row& row : expectedKeyRows())
        named.insert(row.code);
    for (unsigned usage = 0; usage <= 0xFF; ++usage) {
        if (named.count(static_cast<std::uint8_t>(usage)) == 0) {
            EXPECT_FALSE(usageToKeyName(static_cast<std::uint8_t>(usage)).has_value()) << usage;
        }
    }
    EXPECT_FALSE(usageToKeyName(0x64).has_value());
}

TEST(ModifierNameToMask, GivesOneBitPerModifierInListOrder)
{
    const std::pair<const char*, std::uint8_t> expected[] = {
        {"Left Ctrl", 0x01},  {"Left Shift", 0x02},  {"Left Alt", 0x04},  {"Left Win", 0x08},
        {"Right Ctrl", 0x10}, {"Right Shift", 0x20}, {"Right Alt", 0x40}, {"Right Win", 0x80},
    };
    const auto table = modifierNameTable();
    ASSERT_EQ(table.size(), std::size(expected));
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].name, expected[i].first);
        EXPECT_EQ(modifierNameToMask(expected[i].first), expected[i].second);
        EXPECT_EQ(modifierMaskToName(expected[i].second), expected[i].first);
    }
}

TEST(ModifierNameToMask, KnowsOnlyTheModifierListSpelling)
{
    const char* notModifiers[] = {"Ctrl", "Left Windows", "Shift",        "left ctrl", "Left Ctrl ",
                                  "",     "Alt",          "Right Windows"};
    for (const char* name : notModifiers)
        EXPECT_EQ(modifierNameToMask(name), 0x00) << '"' << name << '"';
}

TEST(ModifierMaskToName, NamesSingleBitsOnly)
{
    const std::uint8_t masks[] = {0x00, 0x03, 0x81, 0xFF};
    for (std::uint8_t mask : masks)
        EXPECT_FALSE(modifierMaskToName(mask).has_value()) << int(mask);
}

} // namespace
} // namespace volantra
