#include "assign/combo_key_capture.h"
#include "assign/macro_key_selection.h"
#include "assign/single_key_capture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace volantra {
namespace {

CapturedKeyEvent key(const char* name)
{
    return {name, false};
}
CapturedKeyEvent repeat(const char* name)
{
    return {name, true};
}
const CapturedKeyEvent kUnnamedKey{std::nullopt, false};

TEST(SingleKeyCapture, TheLastKeyEventIsTheChoice)
{
    struct Case
    {
        const char* what;
        std::vector<CapturedKeyEvent> events;
        std::optional<SingleKeyChoice> result;
        const char* shown;
    };
    const Case cases[] = {
        {"A pressed and released", {key("A"), key("A")}, SingleKeyChoice{"A", 0x04}, "A"},
        {"Ctrl then A, released in order",
         {key("Ctrl"), key("A"), key("Ctrl"), key("A")},
         SingleKeyChoice{"A", 0x04},
         "A"},
        {"A released before Ctrl",
         {key("Ctrl"), key("A"), key("A"), key("Ctrl")},
         SingleKeyChoice{"Ctrl", 0xE0},
         "Ctrl"},
        {"a modifier alone",
         {key("Right Shift"), key("Right Shift")},
         SingleKeyChoice{"Right Shift", 0xE5},
         "Right Shift"},
        {"Enter is caught like any key", {key("Enter")}, SingleKeyChoice{"Enter", 0x28}, "Enter"},
        {"Esc is caught like any key", {key("Esc")}, SingleKeyChoice{"Esc", 0x29}, "Esc"},
        {"repeats of a held key are dropped",
         {key("Ctrl"), key("A"), key("A"), repeat("Ctrl"), repeat("Ctrl")},
         SingleKeyChoice{"A", 0x04},
         "A"},
        {"nothing caught", {}, std::nullopt, ""},
        {"only repeats", {repeat("B")}, std::nullopt, ""},
        {"a key without a name", {kUnnamedKey}, std::nullopt, ""},
        {"a name the table does not know", {key("F13")}, std::nullopt, "F13"},
        {"an unnamed key after a good one", {key("A"), kUnnamedKey}, std::nullopt, ""},
        {"a good key after an unnamed one",
         {kUnnamedKey, key("Tab")},
         SingleKeyChoice{"Tab", 0x2B},
         "Tab"},
    };
    for (const Case& c : cases) {
        SingleKeyCapture capture;
        for (const CapturedKeyEvent& event : c.events)
            capture.keyEvent(event);
        EXPECT_EQ(capture.ok(), c.result) << c.what;
        EXPECT_EQ(capture.prompt(), capture.hasCaughtKey() && !c.result
                                        ? CapturePrompt::CannotAssign
                                        : CapturePrompt::EnterKey)
            << c.what;
        EXPECT_EQ(capture.shownName(), c.shown) << c.what;
    }
}

TEST(ComboKeyCapture, CollectsAModifierAndTwoKeys)
{
    ComboKeyCapture capture;
    capture.toggleModifierList();
    capture.chooseModifier(0);
    EXPECT_FALSE(capture.modifierListOpen());
    capture.keyEvent(ComboKeyField::First, key("A"));
    capture.keyEvent(ComboKeyField::First, key("A"));
    EXPECT_EQ(capture.ok(), (ComboKeyChoice{"Left Ctrl", "A", "", 0x01, 0x04, 0x00}));

    capture.keyEvent(ComboKeyField::Second, key("Num Enter"));
    capture.keyEvent(ComboKeyField::Second, repeat("B"));
    capture.keyEvent(std::nullopt, key("C")); // no field has the focus
    EXPECT_EQ(capture.ok(), (ComboKeyChoice{"Left Ctrl", "A", "Num Enter", 0x01, 0x04, 0x58}));
    EXPECT_EQ(capture.shownName(ComboKeyField::Second), "Num Enter");
}

TEST(ComboKeyCapture, OkNeedsAPartAndOnlyKeysTheMouseCanSend)
{
    struct Case
    {
        const char* what;
        std::optional<std::size_t> modifierRow;
        std::vector<std::pair<ComboKeyField, CapturedKeyEvent>> keys;
        std::optional<ComboKeyChoice> result;
        CapturePrompt prompt;
    };
    const Case cases[] = {
        {"nothing chosen", std::nullopt, {}, std::nullopt, CapturePrompt::EnterKey},
        {"the modifier alone",
         7,
         {},
         ComboKeyChoice{"Right Win", "", "", 0x80, 0, 0},
         CapturePrompt::None},
        {"a second key only",
         7,
         {{ComboKeyField::Second, key("A")}},
         ComboKeyChoice{"Right Win", "", "A", 0x80, 0, 0x04},
         CapturePrompt::None},
        {"a modifier key caught as a key",
         std::nullopt,
         {{ComboKeyField::First, key("Ctrl")}},
         ComboKeyChoice{"", "Ctrl", "", 0, 0xE0, 0},
         CapturePrompt::None},
        {"an unnamed key",
         0,
         {{ComboKeyField::First, key("A")}, {ComboKeyField::Second, kUnnamedKey}},
         std::nullopt,
         CapturePrompt::CannotAssign},
        {"a row the list does not have", 8, {}, std::nullopt, CapturePrompt::EnterKey},
    };
    for (const Case& c : cases) {
        ComboKeyCapture capture;
        if (c.modifierRow) {
            capture.toggleModifierList();
            capture.chooseModifier(*c.modifierRow);
            capture.closeModifierList();
        }
        for (const auto& [field, event] : c.keys)
            capture.keyEvent(field, event);
        EXPECT_EQ(capture.prompt(), c.result || c.prompt == CapturePrompt::CannotAssign
                                        ? c.prompt
                                        : CapturePrompt::None)
            << c.what << ": the prompt says nothing before OK";
        EXPECT_EQ(capture.ok(), c.result) << c.what;
        EXPECT_EQ(capture.prompt(), c.prompt) << c.what;
    }
}

TEST(ComboKeyCapture, KeysWhileTheModifierListIsOpenChangeNothing)
{
    ComboKeyCapture capture;
    capture.keyEvent(ComboKeyField::First, key("A"));
    capture.toggleModifierList();
    EXPECT_TRUE(capture.modifierListOpen());
    EXPECT_FALSE(capture.keyFieldsEnabled());
    capture.keyEvent(ComboKeyField::First, key("B"));
    capture.keyEvent(ComboKeyField::Second, key("C"));
    EXPECT_EQ(capture.shownName(ComboKeyField::First), "A");
    EXPECT_EQ(capture.shownName(ComboKeyField::Second), "");

    // A second click on the box closes the list and leaves the fields on.
    capture.toggleModifierList();
    EXPECT_FALSE(capture.modifierListOpen());
    EXPECT_TRUE(capture.keyFieldsEnabled());
    EXPECT_EQ(capture.modifierName(), "");
}

TEST(ComboKeyCapture, TheEmptyPromptReturnsOnceSomethingIsChosen)
{
    ComboKeyCapture capture;
    EXPECT_EQ(capture.ok(), std::nullopt);
    EXPECT_EQ(capture.prompt(), CapturePrompt::EnterKey);
    capture.keyEvent(ComboKeyField::First, key("X"));
    EXPECT_EQ(capture.prompt(), CapturePrompt::None);
}

std::vector<std::string> macroNames(std::size_t count)
{
    std::vector<std::string> names;
    for (std::size_t i = 1; i <= count; ++i)
        names.push_back("Macro_" + std::to_string(i));
    return names;
}

TEST(MacroKeySelection, OkWaitsForAChoice)
{
    MacroKeySelection selection(macroNames(3));
    EXPECT_EQ(selection.prompt(), CapturePrompt::SelectMacro);
    EXPECT_EQ(selection.ok(), std::nullopt);
    selection.chooseRepeatMode(1);
    EXPECT_EQ(selection.ok(), std::nullopt);

    selection.chooseMacro(2); // the list is closed: no row to click
    EXPECT_EQ(selection.ok(), std::nullopt);
    selection.openList(macroNames(3));
    selection.chooseMacro(2);
    EXPECT_FALSE(selection.listOpen());
    EXPECT_EQ(selection.ok(), (MacroKeyChoice{2, 1, "Macro_3"}));
    EXPECT_EQ(selection.macroName(), "Macro_3");
}

TEST(MacroKeySelection, OffersTheFirstTwelveMacrosOnly)
{
    MacroKeySelection selection;
    selection.openList(macroNames(14));
    ASSERT_EQ(selection.listedNames().size(), 12u);
    EXPECT_EQ(selection.listedNames().back(), "Macro_12");
    selection.chooseMacro(12);
    EXPECT_EQ(selection.ok(), std::nullopt) << "row 13 is not offered";
    selection.chooseMacro(11);
    EXPECT_EQ(selection.ok(), (MacroKeyChoice{11, 0, "Macro_12"}));
}

TEST(MacroKeySelection, SaysSoWhenThereAreNoMacros)
{
    MacroKeySelection selection;
    EXPECT_EQ(selection.prompt(), CapturePrompt::NoMacros);
    selection.openList({});
    selection.chooseMacro(0);
    EXPECT_EQ(selection.ok(), std::nullopt);
    // The file may gain macros while the dialog is open; the list is read at each opening.
    selection.openList(macroNames(1));
    EXPECT_EQ(selection.prompt(), CapturePrompt::SelectMacro);
}

TEST(MacroKeySelection, RepeatModesAreZeroToTwo)
{
    MacroKeySelection selection(macroNames(1));
    selection.openList(macroNames(1));
    selection.chooseMacro(0);
    for (std::uint8_t mode : {2, 3, 255}) {
        selection.chooseRepeatMode(mode);
        EXPECT_EQ(selection.repeatMode(), 2) << int(mode);
    }
    selection.chooseRepeatMode(0);
    EXPECT_EQ(selection.ok(), (MacroKeyChoice{0, 0, "Macro_1"}));
}

TEST(CaptureDialogTexts, ByLanguage)
{
    EXPECT_EQ(captureDialogLook(CaptureDialogKind::SingleKey, Language::English).ok, "Ok");
    EXPECT_EQ(captureDialogLook(CaptureDialogKind::ComboKey, Language::English).ok, "OK");
    EXPECT_EQ(captureDialogLook(CaptureDialogKind::MacroKey, Language::TraditionalChinese).ok,
              "確定");
    EXPECT_EQ(captureDialogLook(CaptureDialogKind::SingleKey, Language::English).fontFace,
              "Segoe UI");
    EXPECT_EQ(captureDialogLook(CaptureDialogKind::MacroKey, Language::English).fontHeight, 14);
    EXPECT_EQ(capturePromptText(CapturePrompt::EnterKey, Language::SimplifiedChinese),
              "请输入一个按键");
    EXPECT_EQ(capturePromptText(CapturePrompt::SelectMacro, Language::English),
              "Please select a macro");
    EXPECT_EQ(repeatModeText(2, Language::English), "Repeat until the key is released");
    EXPECT_EQ(repeatModeText(3, Language::English), "");
    EXPECT_EQ(missingBackgroundCaption(CaptureDialogKind::ComboKey),
              "Combo Dialog Load background image failed!!!");
}

} // namespace
} // namespace volantra
