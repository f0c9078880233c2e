#include "assign/key_names.h"
#include "assign/key_table.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace volantra {
namespace {

struct EvdevKey
{
    unsigned code; // KEY_* of linux/input-event-codes.h
    const char* name;
};

// The PC keyboard as the kernel numbers it, with the key table's name of each key.
constexpr EvdevKey kNamedKeys[] = {
    {1, "Esc"},
    {2, "1"},
    {3, "2"},
    {4, "3"},
    {5, "4"},
    {6, "5"},
    {7, "6"},
    {8, "7"},
    {9, "8"},
    {10, "9"},
    {11, "0"},
    {12, "-"},
    {13, "="},
    {14, "Backspace"},
    {15, "Tab"},
    {16, "Q"},
    {17, "W"},
    {18, "E"},
    {19, "R"},
    {20, "T"},
    {21, "Y"},
    {22, "U"},
    {23, "I"},
    {24, "O"},
    {25, "P"},
    {26, "["},
    {27, "]"},
    {28, "Enter"},
    {29, "Ctrl"},
    {30, "A"},
    {31, "S"},
    {32, "D"},
    {33, "F"},
    {34, "G"},
    {35, "H"},
    {36, "J"},
    {37, "K"},
    {38, "L"},
    {39, ";"},
    {40, "'"},
    {41, "`"},
    {42, "Shift"},
    {43, "\\"},
    {44, "Z"},
    {45, "X"},
    {46, "C"},
    {47, "V"},
    {48, "B"},
    {49, "N"},
    {50, "M"},
    {51, ","},
    {52, "."},
    {53, "/"},
    {54, "Right Shift"},
    {55, "Num *"},
    {56, "Alt"},
    {57, "Space"},
    {58, "Caps Lock"},
    {59, "F1"},
    {60, "F2"},
    {61, "F3"},
    {62, "F4"},
    {63, "F5"},
    {64, "F6"},
    {65, "F7"},
    {66, "F8"},
    {67, "F9"},
    {68, "F10"},
    {69, "Num Lock"},
    {70, "Scroll Lock"},
    {71, "Num 7"},
    {72, "Num 8"},
    {73, "Num 9"},
    {74, "Num -"},
    {75, "Num 4"},
    {76, "Num 5"},
    {77, "Num 6"},
    {78, "Num +"},
    {79, "Num 1"},
    {80, "Num 2"},
    {81, "Num 3"},
    {82, "Num 0"},
    {83, "Num Del"},
    {87, "F11"},
    {88, "F12"},
    {96, "Num Enter"},
    {97, "Right Ctrl"},
    {98, "Num /"},
    {99, "Prnt Scrn"},
    {100, "Right Alt"},
    {102, "Home"},
    {103, "Up"},
    {104, "Page Up"},
    {105, "Left"},
    {106, "Right"},
    {107, "End"},
    {108, "Down"},
    {109, "Page Down"},
    {110, "Insert"},
    {111, "Delete"},
    {119, "Pause"},
    {125, "Left Windows"},
    {126, "Right Windows"},
    {127, "Application"},
};

// Names of the key table that no key produces: the ISO "#" key reaches us as "\", and
// the mouse buttons are not keys.
const std::set<std::string> kNeverProduced = {"Eurpo(Note 2)", "L-Button", "R-Button", "M-Button"};

TEST(EvdevKeyName, NamesEveryKeyOfTheKeyTableByItsCode)
{
    std::map<std::string, unsigned> codeOfName;
    for (const EvdevKey& key : kNamedKeys) {
        EXPECT_EQ(evdevKeyName(key.code), key.name) << "code " << key.code;
        EXPECT_TRUE(codeOfName.emplace(key.name, key.code).second) << key.name;
    }
    for (const KeyName& row : keyNameTable()) {
        const std::string name(row.name);
        if (kNeverProduced.count(name)) {
            EXPECT_EQ(codeOfName.count(name), 0u) << name;
            continue;
        }
        ASSERT_EQ(codeOfName.count(name), 1u) << "no key gives " << name;
        // The name a key gets is one the mouse has a usage for.
        EXPECT_EQ(keyNameToUsage(name), row.code) << name;
    }
    EXPECT_EQ(codeOfName.size() + kNeverProduced.size(), keyNameTable().size());
}

TEST(EvdevKeyName, EveryNameComesFromOneKeyAndIsInTheTable)
{
    std::map<std::string, unsigned> seen;
    for (unsigned code = 0; code < 0x300; ++code) {
        const auto name = evdevKeyName(code);
        if (!name)
            continue;
        EXPECT_NE(keyNameToUsage(*name), 0) << *name;
        const auto [at, inserted] = seen.emplace(std::string(*name), code);
        EXPECT_TRUE(inserted) << *name << " from " << at->second << " and " << code;
    }
    EXPECT_EQ(seen.size(), std::size(kNamedKeys));
}

TEST(EvdevKeyName, KeysTheMouseCannotSendHaveNoName)
{
    const std::pair<unsigned, const char*> cases[] = {
        {0, "reserved"},
        {84, "unused"},
        {85, "Zenkaku/Hankaku"},
        {86, "ISO key left of Z"},
        {89, "Ro"},
        {90, "Katakana"},
        {91, "Hiragana"},
        {92, "Henkan"},
        {93, "Katakana/Hiragana"},
        {94, "Muhenkan"},
        {95, "keypad Japanese comma"},
        {113, "Mute"},
        {114, "Volume Down"},
        {115, "Volume Up"},
        {116, "Power"},
        {117, "keypad ="},
        {122, "Hangeul"},
        {123, "Hanja"},
        {124, "Yen"},
        {163, "Next Song"},
        {164, "Play/Pause"},
        {165, "Previous Song"},
        {166, "Stop CD"},
        {0x2FF, "beyond the keyboard"},
        {0x10000, "beyond 16 bits"},
    };
    for (const auto& [code, what] : cases)
        EXPECT_EQ(evdevKeyName(code), std::nullopt) << what;
    for (unsigned f13 = 183; f13 <= 194; ++f13)
        EXPECT_EQ(evdevKeyName(f13), std::nullopt) << "F" << (f13 - 170);
}

} // namespace
} // namespace volantra
