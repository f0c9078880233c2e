#include "assign/key_names.h"
#include "assign/key_table.h"
#include "assign/pc_keyboard.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace volantra {
namespace {

using test::EvdevKey;
using test::kNamedKeys;

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
