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

TEST(MacroItem, DelaysFromFilesAreClampedToWhatTheMouseCanPlay)
{
    const struct
    {
        const char* text;
        const char* clamped;
    } cases[] = {
        {"120 ms", "120 ms"},
        {"6553500 ms", "6553500 ms"},
        {"6553501 ms", "6553500 ms"},
        {"99999999999999999999999 ms", "6553500 ms"},
        // A pause over 24.8 days written signed by older versions.
        {"-2147483000 ms", "0 ms"},
        {"-0 ms", "0 ms"},
        // Not a plain pause: kept as the file has it.
        {"A   Dn", "A   Dn"},
        {"abc ms", "abc ms"},
        {" ms", " ms"},
        {"12ms", "12ms"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clampedDelayItem(c.text), c.clamped) << c.text;
}

TEST(MacroItem, ReadsTypedPauses)
{
    const struct
    {
        const char* typed;
        std::optional<std::string> line;
    } cases[] = {
        {"250ms", "250 ms"},
        {"12 34ms", "1234 ms"},
        {" 50 ms ", "50 ms"},
        {"ms", "0 ms"},
        {"9999999ms", "6553500 ms"},
        {"6553500ms", "6553500 ms"},
        {"99999999999999999999999999ms", "6553500 ms"},
        {"250", std::nullopt},
        {"2a0ms", std::nullopt},
        {"-5ms", std::nullopt},
        {"12ms34", std::nullopt},
        {"1msms", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(typedDelayItem(c.typed), c.line) << c.typed;
}

} // namespace
} // namespace volantra
