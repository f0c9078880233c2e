#include "common/hex.h"
#include "model/button_function.h"
#include "model/function_submenus.h"

#include <gtest/gtest.h>
#include <string>

namespace volantra {
namespace {

std::string hexOf(const ButtonFunctionCode& code)
{
    return hexSpaced(code.bytes);
}

struct EncodeCase
{
    const char* name;
    ButtonParameters button;
    const char* code;
};

// Parameter bytes of other kinds are filled with junk to show that only the kind's own
// bytes count.
ButtonParameters junkWithKind(std::uint8_t kind)
{
    return {.kind = kind,
            .scrollChoice = 0x5A,
            .dpiChoice = 0x5B,
            .multimediaUsage = 0x5C,
            .windowsChoice = 0x5D,
            .hotKeyUsage = 0x5E,
            .singleKeyUsage = 0x5F,
            .comboModifiers = 0x60,
            .comboFirstKey = 0x61,
            .comboSecondKey = 0x62,
            .macroPosition = 0x63,
            .macroRepeatMode = 0x64};
}

ButtonParameters junkWith(std::uint8_t kind, std::uint8_t ButtonParameters::*field,
                          std::uint8_t value)
{
    ButtonParameters button = junkWithKind(kind);
    button.*field = value;
    return button;
}

ButtonParameters combo(std::uint8_t modifiers, std::uint8_t first, std::uint8_t second)
{
    ButtonParameters button = junkWithKind(11);
    button.comboModifiers = modifiers;
    button.comboFirstKey = first;
    button.comboSecondKey = second;
    return button;
}

ButtonParameters macro(std::uint8_t position, std::uint8_t repeatMode)
{
    ButtonParameters button = junkWithKind(12);
    button.macroPosition = position;
    button.macroRepeatMode = repeatMode;
    return button;
}

using P = ButtonParameters;

const EncodeCase kEncodeCases[] = {
    {"click", junkWithKind(0), "01 00 f0 00"},
    {"menu", junkWithKind(1), "01 00 f1 00"},
    {"scroll middle button", junkWith(2, &P::scrollChoice, 1), "01 00 f2 00"},
    {"scroll wheel up", junkWith(2, &P::scrollChoice, 2), "01 00 f7 00"},
    {"scroll wheel down", junkWith(2, &P::scrollChoice, 3), "01 00 f8 00"},
    {"scroll choice 0", junkWith(2, &P::scrollChoice, 0), "00 00 00 00"},
    {"scroll choice 4", junkWith(2, &P::scrollChoice, 4), "00 00 00 00"},
    {"scroll choice 255", junkWith(2, &P::scrollChoice, 255), "00 00 00 00"},
    {"IE forward", junkWithKind(3), "01 00 f4 00"},
    {"IE backward", junkWithKind(4), "01 00 f3 00"},
    {"double click", junkWithKind(5), "0a f0 1e 02"},
    {"DPI +", junkWith(6, &P::dpiChoice, 1), "07 00 01 00"},
    {"DPI -", junkWith(6, &P::dpiChoice, 2), "07 00 02 00"},
    {"DPI loop", junkWith(6, &P::dpiChoice, 3), "07 00 03 00"},
    {"DPI choice 0", junkWith(6, &P::dpiChoice, 0), "00 00 00 00"},
    {"DPI choice 4", junkWith(6, &P::dpiChoice, 4), "00 00 00 00"},
    {"other consumer usage", junkWith(7, &P::multimediaUsage, 0x40), "03 00 40 00"},
    {"hot key without letter", junkWith(8, &P::hotKeyUsage, 0), "00 00 e0 00"},
    {"windows choice 7", junkWith(9, &P::windowsChoice, 7), "00 00 00 00"},
    {"windows choice 255", junkWith(9, &P::windowsChoice, 255), "00 00 00 00"},
    {"single key A", junkWith(10, &P::singleKeyUsage, 0x04), "00 00 04 00"},
    {"single key unknown", junkWith(10, &P::singleKeyUsage, 0), "00 00 00 00"},
    {"left ctrl and A", combo(0x01, 0x04, 0x00), "00 01 04 00"},
    {"right win, F1 and Esc", combo(0x80, 0x3A, 0x29), "00 80 3a 29"},
    {"combination without parts", combo(0, 0, 0), "00 00 00 00"},
    {"macro 1 repeat 2", macro(0, 2), "09 02 01 00"},
    {"macro 12 repeat 0", macro(11, 0), "09 00 0c 00"},
    {"macro 5 repeat 1", macro(4, 1), "09 01 05 00"},
    // Values only a loaded file can hold are copied: the position as position + 1.
    {"macro position past slot 12", macro(12, 0), "09 00 0d 00"},
    {"macro position 255 wraps", macro(255, 0), "09 00 00 00"},
    {"macro repeat mode 3", macro(0, 3), "09 03 01 00"},
    {"button off", junkWithKind(13), "00 00 00 00"},
    {"kind 14", junkWithKind(14), "00 00 00 00"},
    {"kind 255", junkWithKind(255), "00 00 00 00"},
};

TEST(EncodeButtonFunction, GivesTheMouseCodeForEveryKindAndChoice)
{
    for (const EncodeCase& c : kEncodeCases)
        EXPECT_EQ(hexOf(encodeButtonFunction(c.button)), c.code) << c.name;
}

TEST(EncodeButtonFunction, EveryKindPastTheCatalogueIsNoFunction)
{
    for (unsigned kind = kButtonFunctionKindCount; kind <= 0xFF; ++kind)
        EXPECT_EQ(hexOf(encodeButtonFunction(junkWithKind(static_cast<std::uint8_t>(kind)))),
                  "00 00 00 00")
            << kind;
}

TEST(EncodeButtonFunction, EveryMacroSlotAndRepeatMode)
{
    for (std::uint8_t position = 0; position < 12; ++position) {
        for (std::uint8_t mode = 0; mode <= 2; ++mode) {
            const ButtonFunctionCode expected{{0x09, mode, std::uint8_t(position + 1), 0x00}};
            EXPECT_EQ(encodeButtonFunction(macro(position, mode)), expected)
                << int(position) << " " << int(mode);
        }
    }
}

TEST(EncodeButtonFunction, AFreshButtonIsALeftClick)
{
    EXPECT_EQ(hexOf(encodeButtonFunction(ButtonParameters{})), "01 00 f0 00");
}

struct SubmenuCase
{
    std::string_view english;
    const char* code;
};

TEST(EncodeButtonFunction, EveryMultimediaEntry)
{
    const SubmenuCase expected[] = {
        {"Media player", "03 00 83 01"}, {"Next Track", "03 00 b5 00"},
        {"Pre Track", "03 00 b6 00"},    {"Stop", "03 00 b7 00"},
        {"Play/Pause", "03 00 cd 00"},   {"Mute", "03 00 e2 00"},
        {"Volume Up", "03 00 e9 00"},    {"Volume Down", "03 00 ea 00"},
    };
    ASSERT_EQ(std::size(expected), kMultimediaChoices.size());
    for (std::size_t i = 0; i < kMultimediaChoices.size(); ++i) {
        EXPECT_EQ(kMultimediaChoices[i].text.english, expected[i].english);
        EXPECT_EQ(hexOf(encodeButtonFunction(
                      junkWith(7, &P::multimediaUsage, kMultimediaChoices[i].usage))),
                  expected[i].code)
            << expected[i].english;
    }
}

TEST(EncodeButtonFunction, EveryHotKeyEntryPressesLeftCtrlWithItsLetter)
{
    const SubmenuCase expected[] = {
        {"New", "00 00 e0 11"},        {"Cut", "00 00 e0 1b"},  {"Copy", "00 00 e0 06"},
        {"Paste", "00 00 e0 19"},      {"Save", "00 00 e0 16"}, {"Print", "00 00 e0 13"},
        {"Find", "00 00 e0 09"},       {"Redo", "00 00 e0 1c"}, {"Undo", "00 00 e0 1d"},
        {"Select All", "00 00 e0 04"},
    };
    ASSERT_EQ(std::size(expected), kHotKeyChoices.size());
    for (std::size_t i = 0; i < kHotKeyChoices.size(); ++i) {
        EXPECT_EQ(kHotKeyChoices[i].text.english, expected[i].english);
        EXPECT_EQ(
            hexOf(encodeButtonFunction(junkWith(8, &P::hotKeyUsage, kHotKeyChoices[i].usage))),
            expected[i].code)
            << expected[i].english;
    }
}

TEST(EncodeButtonFunction, EveryWindowsEntryByItsPosition)
{
    const SubmenuCase expected[] = {
        {"My computer", "03 00 94 01"}, {"Browser-Home", "03 00 23 02"},
        {"Search", "03 00 21 02"},      {"Maximum", "00 04 2c 1b"},
        {"Minimum", "00 04 2c 11"},     {"Show desktop", "00 00 e3 07"},
        {"Run", "00 00 e3 15"},
    };
    ASSERT_EQ(std::size(expected), kWindowsChoices.size());
    for (std::uint8_t i = 0; i < kWindowsChoices.size(); ++i) {
        EXPECT_EQ(kWindowsChoices[i].text.english, expected[i].english);
        EXPECT_EQ(hexOf(encodeButtonFunction(junkWith(9, &P::windowsChoice, i))), expected[i].code)
            << expected[i].english;
    }
}

TEST(ButtonFunctionCatalogue, ListsTheFourteenKindsInKindOrder)
{
    const std::pair<std::string_view, ChoiceStyle> expected[] = {
        {"Click", ChoiceStyle::Immediate},       {"Menu", ChoiceStyle::Immediate},
        {"Scroll Select", ChoiceStyle::Submenu}, {"IE Forward", ChoiceStyle::Immediate},
        {"IE Backward", ChoiceStyle::Immediate}, {"Double Click", ChoiceStyle::Immediate},
        {"CPI Cycle", ChoiceStyle::Submenu},     {"Multimedia", ChoiceStyle::Submenu},
        {"HotKey", ChoiceStyle::Submenu},        {"Windows", ChoiceStyle::Submenu},
        {"Single Key", ChoiceStyle::Dialog},     {"Combo Key", ChoiceStyle::Dialog},
        {"Macro Key", ChoiceStyle::Dialog},      {"Button Off", ChoiceStyle::Immediate},
    };
    ASSERT_EQ(std::size(expected), kButtonFunctionCatalogue.size());
    for (std::size_t i = 0; i < kButtonFunctionCatalogue.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(kButtonFunctionCatalogue[i].kind), i);
        EXPECT_EQ(kButtonFunctionCatalogue[i].englishName, expected[i].first);
        EXPECT_EQ(kButtonFunctionCatalogue[i].style, expected[i].second);
    }
}

TEST(ButtonFunctionKindFromByte, KnowsOnlyTheCatalogue)
{
    for (unsigned value = 0; value <= 0xFF; ++value) {
        const auto kind = buttonFunctionKindFromByte(static_cast<std::uint8_t>(value));
        if (value < kButtonFunctionKindCount) {
            ASSERT_TRUE(kind.has_value()) << value;
            EXPECT_EQ(static_cast<unsigned>(*kind), value);
        } else {
            EXPECT_FALSE(kind.has_value()) << value;
        }
    }
}

} // namespace
} // namespace volantra
