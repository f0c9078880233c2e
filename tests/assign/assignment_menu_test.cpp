#include "assign/assignment_menu.h"
#include "assign/assignment_snapshot.h"
#include "assign/button_assignment.h"
#include "assign/button_picture.h"
#include "common/hex.h"
#include "model/settings_record.h"

#include <gtest/gtest.h>
#include <string>

namespace volantra {
namespace {

// Every parameter byte holds something, to show that a choice writes only its own.
constexpr ButtonParameters kBefore{.kind = 13,
                                   .scrollChoice = 0xA1,
                                   .dpiChoice = 0xA2,
                                   .multimediaUsage = 0xA3,
                                   .windowsChoice = 0xA4,
                                   .hotKeyUsage = 0xA5,
                                   .singleKeyUsage = 0xA6,
                                   .comboModifiers = 0xA7,
                                   .comboFirstKey = 0xA8,
                                   .comboSecondKey = 0xA9,
                                   .macroPosition = 0xAA,
                                   .macroRepeatMode = 0xAB};

std::string codeOf(const ButtonParameters& parameters)
{
    return hexSpaced(encodeButtonFunction(parameters).bytes);
}

// The bytes that differ from kBefore, as "field=value" in declaration order.
std::string changedBytes(const ButtonParameters& after)
{
    std::string changes;
    auto note = [&changes](const char* field, std::uint8_t before, std::uint8_t value) {
        if (before == value)
            return;
        if (!changes.empty())
            changes += ' ';
        changes += field;
        changes += '=' + std::to_string(value);
    };
    note("kind", kBefore.kind, after.kind);
    note("scroll", kBefore.scrollChoice, after.scrollChoice);
    note("dpi", kBefore.dpiChoice, after.dpiChoice);
    note("multimedia", kBefore.multimediaUsage, after.multimediaUsage);
    note("windows", kBefore.windowsChoice, after.windowsChoice);
    note("hotkey", kBefore.hotKeyUsage, after.hotKeyUsage);
    note("single", kBefore.singleKeyUsage, after.singleKeyUsage);
    note("modifiers", kBefore.comboModifiers, after.comboModifiers);
    note("first", kBefore.comboFirstKey, after.comboFirstKey);
    note("second", kBefore.comboSecondKey, after.comboSecondKey);
    note("position", kBefore.macroPosition, after.macroPosition);
    note("repeat", kBefore.macroRepeatMode, after.macroRepeatMode);
    return changes;
}

TEST(FunctionList, EachEntryAssignsOrLeadsOn)
{
    struct Case
    {
        const char* entry;
        AssignmentMenu::EntryAction action;
        const char* changes; // for entries that assign at once
        const char* code;
    };
    using A = AssignmentMenu::EntryAction;
    const Case cases[] = {
        {"Click", A::Assign, "kind=0", "01 00 f0 00"},
        {"Menu", A::Assign, "kind=1", "01 00 f1 00"},
        {"Scroll Select", A::None, nullptr, nullptr},
        {"IE Forward", A::Assign, "kind=3", "01 00 f4 00"},
        {"IE Backward", A::Assign, "kind=4", "01 00 f3 00"},
        {"Double Click", A::Assign, "kind=5", "0a f0 1e 02"},
        {"CPI Cycle", A::None, nullptr, nullptr},
        {"Multimedia", A::None, nullptr, nullptr},
        {"HotKey", A::None, nullptr, nullptr},
        {"Windows", A::None, nullptr, nullptr},
        {"Single Key", A::SingleKeyDialog, nullptr, nullptr},
        {"Combo Key", A::ComboKeyDialog, nullptr, nullptr},
        {"Macro Key", A::MacroKeyDialog, nullptr, nullptr},
        {"Button Off", A::Assign, "", "00 00 00 00"},
    };
    ASSERT_EQ(std::size(cases), kButtonFunctionCatalogue.size());
    for (std::size_t entry = 0; entry < std::size(cases); ++entry) {
        const Case& c = cases[entry];
        EXPECT_EQ(kButtonFunctionCatalogue[entry].englishName, c.entry);
        EXPECT_EQ(AssignmentMenu::actionOf(entry), c.action) << c.entry;
        const std::string shown = std::string("«") + c.entry + "»";
        const auto assignment = assignFunction(kBefore, entry, shown);
        if (!c.changes) {
            EXPECT_EQ(assignment, std::nullopt) << c.entry;
            continue;
        }
        ASSERT_TRUE(assignment) << c.entry;
        EXPECT_EQ(changedBytes(assignment->parameters), c.changes) << c.entry;
        EXPECT_EQ(codeOf(assignment->parameters), c.code) << c.entry;
        EXPECT_EQ(assignment->label, shown) << c.entry;
    }
    EXPECT_EQ(AssignmentMenu::actionOf(14), A::None);
    EXPECT_EQ(assignFunction(kBefore, 14, "x"), std::nullopt);
}

TEST(Submenus, EachEntryStoresItsOwnerAndItsByte)
{
    struct Case
    {
        ButtonFunctionKind owner;
        std::size_t index;
        const char* english;
        const char* changes;
        const char* code;
    };
    using K = ButtonFunctionKind;
    const Case cases[] = {
        {K::ScrollSelect, 0, "Mouse M Button", "kind=2 scroll=1", "01 00 f2 00"},
        {K::ScrollSelect, 1, "Mouse Scroll Up", "kind=2 scroll=2", "01 00 f7 00"},
        {K::ScrollSelect, 2, "Mouse Scroll Down", "kind=2 scroll=3", "01 00 f8 00"},
        {K::DpiCycle, 0, "DPI +", "kind=6 dpi=1", "07 00 01 00"},
        {K::DpiCycle, 1, "DPI -", "kind=6 dpi=2", "07 00 02 00"},
        {K::DpiCycle, 2, "DPI Loop", "kind=6 dpi=3", "07 00 03 00"},
        {K::Multimedia, 0, "Media player", "kind=7 multimedia=131", "03 00 83 01"},
        {K::Multimedia, 1, "Next Track", "kind=7 multimedia=181", "03 00 b5 00"},
        {K::Multimedia, 2, "Pre Track", "kind=7 multimedia=182", "03 00 b6 00"},
        {K::Multimedia, 3, "Stop", "kind=7 multimedia=183", "03 00 b7 00"},
        {K::Multimedia, 4, "Play/Pause", "kind=7 multimedia=205", "03 00 cd 00"},
        {K::Multimedia, 5, "Mute", "kind=7 multimedia=226", "03 00 e2 00"},
        {K::Multimedia, 6, "Volume Up", "kind=7 multimedia=233", "03 00 e9 00"},
        {K::Multimedia, 7, "Volume Down", "kind=7 multimedia=234", "03 00 ea 00"},
        {K::HotKey, 0, "New", "kind=8 hotkey=17", "00 00 e0 11"},
        {K::HotKey, 1, "Cut", "kind=8 hotkey=27", "00 00 e0 1b"},
        {K::HotKey, 2, "Copy", "kind=8 hotkey=6", "00 00 e0 06"},
        {K::HotKey, 3, "Paste", "kind=8 hotkey=25", "00 00 e0 19"},
        {K::HotKey, 4, "Save", "kind=8 hotkey=22", "00 00 e0 16"},
        {K::HotKey, 5, "Print", "kind=8 hotkey=19", "00 00 e0 13"},
        {K::HotKey, 6, "Find", "kind=8 hotkey=9", "00 00 e0 09"},
        {K::HotKey, 7, "Redo", "kind=8 hotkey=28", "00 00 e0 1c"},
        {K::HotKey, 8, "Undo", "kind=8 hotkey=29", "00 00 e0 1d"},
        {K::HotKey, 9, "Select All", "kind=8 hotkey=4", "00 00 e0 04"},
        {K::Windows, 0, "My computer", "kind=9 windows=0", "03 00 94 01"},
        {K::Windows, 1, "Browser-Home", "kind=9 windows=1", "03 00 23 02"},
        {K::Windows, 2, "Search", "kind=9 windows=2", "03 00 21 02"},
        {K::Windows, 3, "Maximum", "kind=9 windows=3", "00 04 2c 1b"},
        {K::Windows, 4, "Minimum", "kind=9 windows=4", "00 04 2c 11"},
        {K::Windows, 5, "Show desktop", "kind=9 windows=5", "00 00 e3 07"},
        {K::Windows, 6, "Run", "kind=9 windows=6", "00 00 e3 15"},
    };
    std::size_t entriesSeen = 0;
    for (K owner : {K::ScrollSelect, K::DpiCycle, K::Multimedia, K::HotKey, K::Windows})
        entriesSeen += submenuEntries(owner, Language::English).size();
    EXPECT_EQ(entriesSeen, std::size(cases));

    for (const Case& c : cases) {
        const auto entries = submenuEntries(c.owner, Language::English);
        ASSERT_LT(c.index, entries.size()) << c.english;
        EXPECT_EQ(entries[c.index].text, c.english);
        EXPECT_EQ(entries[c.index].isLanguageKey, c.owner == K::ScrollSelect) << c.english;
        const auto assignment = assignSubmenuEntry(kBefore, c.owner, c.index, c.english);
        ASSERT_TRUE(assignment) << c.english;
        EXPECT_EQ(changedBytes(assignment->parameters), c.changes) << c.english;
        EXPECT_EQ(codeOf(assignment->parameters), c.code) << c.english;
        EXPECT_EQ(assignment->label, c.english);
        EXPECT_EQ(assignSubmenuEntry(kBefore, c.owner, entries.size(), "x"), std::nullopt);
    }
    EXPECT_EQ(assignSubmenuEntry(kBefore, K::Click, 0, "x"), std::nullopt);
    EXPECT_TRUE(submenuEntries(K::SingleKey, Language::English).empty());
}

TEST(Submenus, TextsFollowTheLanguage)
{
    using K = ButtonFunctionKind;
    EXPECT_EQ(submenuEntries(K::HotKey, Language::TraditionalChinese)[2].text, "複製");
    EXPECT_EQ(submenuEntries(K::Windows, Language::SimplifiedChinese)[5].text, "显示桌面");
    EXPECT_EQ(submenuEntries(K::DpiCycle, Language::SimplifiedChinese)[2].text, "DPI Loop");
}

TEST(DialogChoices, StoreTheirBytesAndLabels)
{
    struct Case
    {
        const char* what;
        ButtonAssignment assignment;
        const char* changes;
        const char* code;
        const char* label;
    };
    const Case cases[] = {
        {"single key A", assignSingleKey(kBefore, "Single Key", {"A", 0x04}), "kind=10 single=4",
         "00 00 04 00", "Single Key-A"},
        {"combo Left Ctrl + A",
         assignComboKey(kBefore, "Combo Key", {"Left Ctrl", "A", "", 0x01, 0x04, 0}),
         "kind=11 modifiers=1 first=4 second=0", "00 01 04 00", "Combo Key-Left Ctrl+A"},
        {"combo Right Win + second key A",
         assignComboKey(kBefore, "Combo Key", {"Right Win", "", "A", 0x80, 0, 0x04}),
         "kind=11 modifiers=128 first=0 second=4", "00 80 00 04", "Combo Key-Right Win+A"},
        {"combo of two keys",
         assignComboKey(kBefore, "Combo Key", {"", "Ctrl", "C", 0, 0xE0, 0x06}),
         "kind=11 modifiers=0 first=224 second=6", "00 00 e0 06", "Combo Key-Ctrl+C"},
        {"combo modifier alone",
         assignComboKey(kBefore, "Combo Key", {"Left Alt", "", "", 0x04, 0, 0}),
         "kind=11 modifiers=4 first=0 second=0", "00 04 00 00", "Combo Key-Left Alt"},
        {"third macro, mode 1", assignMacroKey(kBefore, "Macro Key", {2, 1, "Macro_3"}),
         "kind=12 position=2 repeat=1", "09 01 03 00", "Macro Key-Macro_3"},
        {"first macro, mode 2", assignMacroKey(kBefore, "宏", {0, 2, "Fire"}),
         "kind=12 position=0 repeat=2", "09 02 01 00", "宏-Fire"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(changedBytes(c.assignment.parameters), c.changes) << c.what;
        EXPECT_EQ(codeOf(c.assignment.parameters), c.code) << c.what;
        EXPECT_EQ(c.assignment.label, c.label) << c.what;
    }
}

// The section's origin in the main window is (20, 127).
Rect inWindow(Rect area)
{
    return {area.left + 20, area.top + 127, area.right + 20, area.bottom + 127};
}

TEST(AssignmentMenu, BoxesAndListsSitWhereTheWindowExpectsThem)
{
    for (std::size_t k = 0; k < AssignmentMenu::kButtonCount; ++k) {
        const int step = 20 * static_cast<int>(k);
        EXPECT_EQ(inWindow(AssignmentMenu::box(k)), (Rect{120, 154 + step, 250, 170 + step}));
        const auto list = AssignmentMenu::functionList(k);
        EXPECT_EQ(inWindow(list.area), (Rect{262, 154 + step, 365, 384 + step}));
        EXPECT_EQ(list.rows, 14u);
        EXPECT_LE(int(list.rows) * list.rowHeight + 2 * list.frame, list.area.height());
        EXPECT_EQ(AssignmentMenu::captionKey(k), "Button " + std::to_string(k + 1));
        const Rect box = AssignmentMenu::box(k);
        EXPECT_EQ(AssignmentMenu::boxAt(box.left, box.top), k);
        EXPECT_EQ(AssignmentMenu::boxAt(box.right - 1, box.bottom - 1), k);
    }
    EXPECT_EQ(AssignmentMenu::boxAt(99, 30), std::nullopt);
    EXPECT_EQ(AssignmentMenu::boxAt(100, 43), std::nullopt) << "between two boxes";
    EXPECT_EQ(AssignmentMenu::boxAt(230, 30), std::nullopt);
}

TEST(AssignmentMenu, SubmenusOpenBesideTheirEntry)
{
    using K = ButtonFunctionKind;
    struct Case
    {
        K owner;
        std::size_t button;
        Rect window; // in main-window pixels
        int rowHeight;
        int frame;
    };
    // Entry rows are 16 pixels inside a one-pixel frame of the 103-pixel list.
    const Case cases[] = {
        {K::ScrollSelect, 0, {363, 186, 473, 246}, 20, 0},
        {K::DpiCycle, 0, {363, 250, 423, 310}, 20, 0},
        {K::Multimedia, 0, {365, 152, 455, 282}, 16, 1},
        {K::HotKey, 0, {365, 136, 425, 298}, 16, 1},
        {K::Windows, 0, {365, 200, 455, 314}, 16, 1},
        {K::ScrollSelect, 7, {363, 326, 473, 386}, 20, 0},
        {K::Windows, 7, {365, 340, 455, 454}, 16, 1},
    };
    for (const Case& c : cases) {
        const auto menu = AssignmentMenu::submenu(c.owner, c.button);
        ASSERT_TRUE(menu);
        EXPECT_EQ(inWindow(menu->area), c.window) << int(c.owner) << " " << c.button;
        EXPECT_EQ(menu->rowHeight, c.rowHeight);
        EXPECT_EQ(menu->frame, c.frame);
        EXPECT_EQ(menu->rows, submenuEntries(c.owner, Language::English).size());
        // Every row fits: no scroll bar.
        EXPECT_LE(int(menu->rows) * menu->rowHeight + 2 * menu->frame, menu->area.height());
    }
    EXPECT_EQ(AssignmentMenu::submenu(K::SingleKey, 0), std::nullopt);
}

SettingsRecord recordWithKinds(std::array<std::uint8_t, 8> kinds)
{
    SettingsRecord record;
    for (std::size_t k = 0; k < kinds.size(); ++k)
        record.setButtonKind(k, kinds[k]);
    return record;
}

TEST(LeftClickGuard, KeepsTheLastLeftClick)
{
    struct Case
    {
        const char* what;
        std::array<std::uint8_t, 8> kinds;
        std::size_t button;
        bool refused;
    };
    const Case cases[] = {
        {"button 1 the only click", {0, 1, 2, 3, 4, 5, 6, 7}, 0, true},
        {"button 6 the only click", {13, 1, 2, 3, 4, 0, 6, 7}, 5, true},
        {"another button with no click", {0, 1, 2, 3, 4, 5, 6, 7}, 1, false},
        {"two clicks, the first", {0, 0, 2, 3, 4, 5, 6, 7}, 0, false},
        {"two clicks, the second", {0, 0, 2, 3, 4, 5, 6, 7}, 1, false},
        {"no click at all", {1, 1, 1, 1, 1, 1, 1, 1}, 3, false},
        {"every button a click", {0, 0, 0, 0, 0, 0, 0, 0}, 7, false},
    };
    for (const Case& c : cases) {
        const SettingsRecord record = recordWithKinds(c.kinds);
        EXPECT_EQ(setting_rules::holdsTheOnlyLeftClick(record, c.button), c.refused) << c.what;
        AssignmentMenu menu;
        const auto outcome = menu.clickBox(c.button, record);
        EXPECT_EQ(outcome,
                  c.refused ? AssignmentMenu::BoxClick::Refused : AssignmentMenu::BoxClick::Opened)
            << c.what;
        EXPECT_EQ(menu.openButton().has_value(), !c.refused) << c.what;
    }
}

TEST(AssignmentMenu, BoxClicksOpenAndCloseOneListAtATime)
{
    const SettingsRecord record = recordWithKinds({0, 0, 1, 1, 1, 1, 1, 1});
    AssignmentMenu menu;
    EXPECT_EQ(menu.clickBox(2, record), AssignmentMenu::BoxClick::Opened);
    EXPECT_EQ(menu.highlightedButton(), 2u);
    EXPECT_TRUE(menu.hoverEntry(7));
    EXPECT_EQ(menu.openSubmenu(), ButtonFunctionKind::Multimedia);

    // Another box closes the first list and its submenu and opens its own.
    EXPECT_EQ(menu.clickBox(4, record), AssignmentMenu::BoxClick::Opened);
    EXPECT_EQ(menu.openButton(), 4u);
    EXPECT_EQ(menu.openSubmenu(), std::nullopt);
    EXPECT_EQ(menu.highlightedButton(), 4u);

    EXPECT_EQ(menu.clickBox(4, record), AssignmentMenu::BoxClick::Closed);
    EXPECT_EQ(menu.openButton(), std::nullopt);
    EXPECT_FALSE(menu.closeMenus()) << "nothing left to close";

    EXPECT_EQ(menu.clickBox(0, record), AssignmentMenu::BoxClick::Opened);
    EXPECT_TRUE(menu.closeMenus()) << "a press elsewhere";
    EXPECT_EQ(menu.openButton(), std::nullopt);
}

TEST(AssignmentMenu, HoverOpensTheSubmenuOfTheEntryUnderThePointer)
{
    const SettingsRecord record = recordWithKinds({0, 0, 1, 1, 1, 1, 1, 1});
    AssignmentMenu menu;
    EXPECT_FALSE(menu.hoverEntry(2)) << "no list open";
    menu.clickBox(1, record);
    struct Step
    {
        std::size_t entry;
        bool changed;
        std::optional<ButtonFunctionKind> open;
    };
    using K = ButtonFunctionKind;
    const Step steps[] = {
        {0, false, std::nullopt},  {2, true, K::ScrollSelect}, {2, false, K::ScrollSelect},
        {6, true, K::DpiCycle},    {7, true, K::Multimedia},   {8, true, K::HotKey},
        {9, true, K::Windows},     {10, true, std::nullopt},   {13, false, std::nullopt},
        {14, false, std::nullopt},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(menu.hoverEntry(step.entry), step.changed) << step.entry;
        EXPECT_EQ(menu.openSubmenu(), step.open) << step.entry;
    }
}

TEST(AssignmentMenu, BoxLooksAndThePictureMark)
{
    using Look = AssignmentMenu::BoxLook;
    const SettingsRecord record = recordWithKinds({0, 0, 1, 1, 1, 1, 1, 1});
    AssignmentMenu menu;
    EXPECT_TRUE(menu.pointerAt(3));
    EXPECT_EQ(menu.boxLook(3), Look::Over);
    EXPECT_FALSE(menu.pointerAt(3));
    menu.clickBox(3, record);
    menu.entryChosen(); // "Click" from the list
    EXPECT_EQ(menu.openButton(), std::nullopt);
    EXPECT_EQ(menu.boxLook(3), Look::Leave);
    EXPECT_EQ(menu.highlightedButton(), 3u) << "the mark stays until the pointer moves on";
    EXPECT_TRUE(menu.pointerAt(std::nullopt));
    EXPECT_EQ(menu.boxLook(3), Look::Normal);
    EXPECT_EQ(menu.highlightedButton(), std::nullopt);
    EXPECT_FALSE(menu.pointerAt(std::nullopt));

    // A box whose list is open keeps its look and its mark.
    menu.pointerAt(5);
    menu.clickBox(5, record);
    EXPECT_FALSE(menu.pointerAt(std::nullopt));
    EXPECT_EQ(menu.boxLook(5), Look::Over);
    EXPECT_EQ(menu.highlightedButton(), 5u);
    menu.hoverEntry(9);
    menu.submenuEntryChosen();
    EXPECT_EQ(menu.openSubmenu(), std::nullopt);
    EXPECT_EQ(menu.boxLook(5), Look::Normal);
    EXPECT_TRUE(menu.pointerAt(std::nullopt)) << "the mark goes";
    EXPECT_EQ(menu.highlightedButton(), std::nullopt);

    menu.pointerAt(1);
    menu.clickBox(1, record);
    menu.reset();
    EXPECT_EQ(menu.boxLook(1), Look::Normal);
    EXPECT_EQ(menu.openButton(), std::nullopt);
    EXPECT_EQ(menu.highlightedButton(), std::nullopt);
    EXPECT_STREQ(AssignmentMenu::boxImage(Look::Leave), "/ButtonAssignment/DropdownBox-leave.png");
}

TEST(AssignmentMenu, ARefusedClickMarksNothing)
{
    const SettingsRecord record = recordWithKinds({0, 1, 1, 1, 1, 1, 1, 1});
    AssignmentMenu menu;
    menu.clickBox(3, record);
    EXPECT_EQ(menu.clickBox(0, record), AssignmentMenu::BoxClick::Refused);
    EXPECT_EQ(menu.openButton(), std::nullopt) << "the other list closed first";
    EXPECT_EQ(menu.highlightedButton(), 3u);
}

TEST(ButtonPicture, MarksOfBothViews)
{
    struct Case
    {
        ButtonPictureView view;
        std::size_t button;
        bool over;
        const char* image;
        int x;
        int y;
    };
    using V = ButtonPictureView;
    const Case cases[] = {
        {V::Front, 0, false, "/Mouse/Front/F-1-normal.png", 335, 100},
        {V::Front, 1, true, "/Mouse/Front/F-2-over.png", 515, 100},
        {V::Front, 5, false, "/Mouse/Front/F-6-normal.png", 473, 250},
        {V::Front, 7, true, "/Mouse/Front/F-8-over.png", 335, 262},
        {V::Side, 0, true, "/Mouse/Side/S-1-over.png", 362, 80},
        {V::Side, 2, false, "/Mouse/Side/S-3-normal.png", 509, 171},
        {V::Side, 5, false, "/Mouse/Side/S-6-normal.png", 533, 250},
        {V::Side, 7, false, "/Mouse/Side/S-8-normal.png", 362, 265},
    };
    for (const Case& c : cases) {
        const auto mark = ButtonPicture::mark(c.view, c.button, c.over);
        EXPECT_EQ(mark.image, c.image);
        EXPECT_EQ(mark.x, c.x) << c.image;
        EXPECT_EQ(mark.y, c.y) << c.image;
    }
}

TEST(AssignmentSnapshot, CancelRestoresTheLabelsWithTheRecord)
{
    SettingsRecord record = recordWithKinds({0, 1, 2, 3, 4, 5, 6, 7});
    ButtonLabels labels = {"Click",       "Menu",         "Mouse M Button", "IE Forward",
                           "IE Backward", "Double Click", "DPI +",          "Media player"};
    AssignmentSnapshot snapshot;
    snapshot.take(record, labels);

    const auto assignment = assignSingleKey(record.button(1), "Single Key", {"A", 0x04});
    record.setButton(1, assignment.parameters);
    labels[1] = assignment.label;
    EXPECT_FALSE(snapshot.matches(record, labels));

    snapshot.restoreInto(record, labels);
    EXPECT_TRUE(snapshot.matches(record, labels));
    EXPECT_EQ(record.buttonKind(1), 1);
    EXPECT_EQ(labels[1], "Menu");
}

} // namespace
} // namespace volantra
