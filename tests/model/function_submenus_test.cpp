#include "common/hex.h"
#include "model/function_submenus.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <vector>

namespace volantra {
namespace {

std::string utf8Hex(std::string_view text)
{
    return hexSpaced(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::vector<LocalizedText> allLocalizedTexts()
{
    std::vector<LocalizedText> texts;
    for (const auto& choice : kMultimediaChoices)
        texts.push_back(choice.text);
    for (const auto& choice : kHotKeyChoices)
        texts.push_back(choice.text);
    for (const auto& choice : kWindowsChoices)
        texts.push_back(choice.text);
    return texts;
}

TEST(FunctionSubmenus, EveryEntryHasAnEnglishAndTwoChineseTexts)
{
    const std::vector<LocalizedText> texts = allLocalizedTexts();
    EXPECT_EQ(texts.size(), 8u + 10u + 7u);
    for (const LocalizedText& text : texts) {
        EXPECT_FALSE(text.english.empty());
        EXPECT_TRUE(isAscii(text.english)) << text.english;
        EXPECT_FALSE(isAscii(text.simplifiedChinese)) << text.english;
        EXPECT_FALSE(isAscii(text.traditionalChinese)) << text.english;
    }
}

// The bytes the menus draw, so a wrongly saved source file shows up here.
TEST(FunctionSubmenus, ChineseTextsAreUtf8)
{
    struct Case
    {
        std::string_view text;
        const char* utf8;
    };
    const Case cases[] = {
        {kMultimediaChoices[5].text.simplifiedChinese, "e9 9d 99 e9 9f b3"},
        {kMultimediaChoices[5].text.traditionalChinese, "e9 9d 9c e9 9f b3"},
        {kMultimediaChoices[4].text.traditionalChinese, "e6 92 ad e6 94 be 2f e6 9a ab e5 81 9c"},
        {kHotKeyChoices[2].text.traditionalChinese, "e8 a4 87 e8 a3 bd"},
        {kHotKeyChoices[5].text.traditionalChinese, "e5 88 97 e5 8d b0"},
        {kWindowsChoices[1].text.traditionalChinese,
         "e7 80 8f e8 a6 bd e5 99 a8 2d e4 b8 bb e9 a0 81"},
        {kWindowsChoices[5].text.simplifiedChinese, "e6 98 be e7 a4 ba e6 a1 8c e9 9d a2"},
        {kWindowsChoices[5].text.traditionalChinese, "e9 a1 af e7 a4 ba e6 a1 8c e9 9d a2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8Hex(c.text), c.utf8);
}

TEST(LocalizedText, PicksTheTextOfTheLanguage)
{
    const LocalizedText mute = kMultimediaChoices[5].text;
    EXPECT_EQ(mute.in(Language::English), "Mute");
    EXPECT_EQ(mute.in(Language::SimplifiedChinese), mute.simplifiedChinese);
    EXPECT_EQ(mute.in(Language::TraditionalChinese), mute.traditionalChinese);
    EXPECT_NE(mute.simplifiedChinese, mute.traditionalChinese);
}

} // namespace
} // namespace volantra
