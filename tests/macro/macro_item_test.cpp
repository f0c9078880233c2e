#include "macro/macro_item.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(MacroItem, ClassifiesLinesByWhatTheyContain)
{
    const struct
    {
        const char* text;
        MacroItemKind kind;
        std::optional<std::string> keyName;
    } cases[] = {
        {"A   Dn", MacroItemKind::Press, "A"},
        {"Right Shift   Up", MacroItemKind::Release, "Right Shift"},
        {"120 ms", MacroItemKind::Delay, std::nullopt},
        {"5ms", MacroItemKind::Delay, std::nullopt},
        {"A  Dn", MacroItemKind::Other, std::nullopt}, // two spaces only
        {"", MacroItemKind::Other, std::nullopt},
        {"A   Dn   Up", MacroItemKind::Press, "A   Up"}, // press wins
        {"X   Dn   Dn", MacroItemKind::Press, "X"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classifyMacroItem(c.text), c.kind) << c.text;
        EXPECT_EQ(macroItemKeyName(c.text), c.keyName) << c.text;
    }
}

TEST(MacroItem, MakesTheThreeLineForms)
{
    EXPECT_EQ(macroPressItem("L-Button"), "L-Button   Dn");
    EXPECT_EQ(macroReleaseItem("Space"), "Space   Up");
    EXPECT_EQ(macroDelayItem(1270), "1270 ms");
    EXPECT_EQ(macroDelayItem(7000000), "6553500 ms");
    EXPECT_EQ(macroDelayItem(-3), "0 ms");
}

TEST(MacroItem, LeadingIntegerReadsLikeThePlatform)
{
    const struct
    {
        const char* text;
        std::int64_t value;
    } cases[] = {{"120 ms", 120}, {"  42", 42}, {"-7x", -7}, {"+9", 9},
                 {"abc", 0},      {"", 0},      {"1 2", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(leadingInteger(c.text), c.value) << c.text;
    EXPECT_GT(leadingInteger("99999999999999999999999999"), kMaxMacroDelayMs);
}

} // namespace
} // namespace volantra
