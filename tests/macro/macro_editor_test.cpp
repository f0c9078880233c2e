#include "macro/macro_editor.h"
#include "macro/macro_encoder.h"
#include "model/ini_document.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/macro_files.h"
#include "support/temporary_directory.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace volantra {
namespace {

using Lines = std::vector<std::string>;
using test::readText;
using test::writeText;

// A macro with the given lines, the delay option on.
std::string section(const std::string& name, const Lines& items)
{
    return test::macroSection(name, items);
}

// Three macros as the manager leaves them, with a comment another editor left.
const std::string kThreeMacros = "; my macros\n" + test::tapOfA("First") +
                                 test::macroSection("Second", {"B   Dn"}, 0, 1, 5) +
                                 test::macroSection("Third", {});

class MacroEditorTest : public ::testing::Test
{
protected:
    std::string path() const { return directory.file("data/record.ini"); }

    void SetUp() override { std::filesystem::create_directory(directory.path() / "data"); }

    MacroEditor open(MacroOptions options = {})
    {
        Result<MacroEditor> editor = MacroEditor::open(path(), writer, options);
        EXPECT_TRUE(editor.ok()) << (editor ? "" : editor.error().message);
        return std::move(*editor);
    }

    MacroEditor openWith(const std::string& text, MacroOptions options = {})
    {
        writeText(path(), text);
        return open(options);
    }

    // What the file says now, read back as the encoder and the store read it.
    IniDocument onDisk() const { return IniDocument::parse(readText(path())); }
    Lines itemsOnDisk(const std::string& name) const
    {
        const IniDocument document = onDisk();
        Lines items;
        const int count = document.readInt(name, "ItemCount", 0);
        for (int i = 0; i < count; ++i)
            items.push_back(document.readString(name, "Item" + std::to_string(i), ""));
        return items;
    }

    // Takes the data folder away, so that every write fails, and puts it back.
    void breakWrites()
    {
        std::filesystem::rename(directory.path() / "data", directory.path() / "x");
    }
    void mendWrites()
    {
        std::filesystem::rename(directory.path() / "x", directory.path() / "data");
    }

    test::TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
};

TEST_F(MacroEditorTest, OpensOnTheFirstMacro)
{
    // Only 1 turns an option on at opening; the manager's options of before do not count.
    MacroEditor editor = openWith(kThreeMacros, {false, true});
    EXPECT_EQ(editor.macroNames(), (Lines{"First", "Second", "Third"}));
    EXPECT_EQ(editor.selectedMacro(), 0u);
    EXPECT_EQ(editor.items(), (Lines{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_EQ(editor.options(), (MacroOptions{true, false}));
    EXPECT_FALSE(editor.selectedItem());
    EXPECT_FALSE(editor.changed());
    EXPECT_EQ(readText(path()), kThreeMacros) << "opening and loading write nothing";

    // Selecting takes the flags a macro states, and keeps those it does not.
    ASSERT_TRUE(editor.selectMacro(1).ok());
    EXPECT_EQ(editor.items(), Lines{"B   Dn"});
    EXPECT_EQ(editor.loopTimes(), 5);
    EXPECT_EQ(editor.options(), (MacroOptions{false, true}));
    EXPECT_EQ(readText(path()), kThreeMacros);
}

// Lines the file lacks are empty lines of the macro: shown, and saved with their count.
TEST_F(MacroEditorTest, ItemsTheFileLacksAreKeptAsEmptyLines)
{
    const std::string text = "[M]\nDelayTimeSelStatus=0\nLoopTimeSelStatus=1\n"
                             "MacroLoopTimes=1\nItemCount=5\nItem0=A   Dn\nItem1=A   Up\n"
                             "Item2=B   Dn\n";
    MacroEditor editor = openWith(text);
    const Lines shown{"A   Dn", "A   Up", "B   Dn", "", ""};
    EXPECT_EQ(editor.items(), shown);
    SettingsRecord record;
    ButtonLabels labels;
    ASSERT_TRUE(editor.accept(record, labels).ok());
    EXPECT_EQ(readText(path()), text) << "nothing edited, nothing written";

    ASSERT_TRUE(editor.commitLoopTimes("4").ok());
    EXPECT_EQ(onDisk().readInt("M", "ItemCount", 0), 5);
    EXPECT_EQ(itemsOnDisk("M"), shown);
}

// A macro far longer than the mouse can play is not shown; nothing may replace it unseen.
TEST_F(MacroEditorTest, AMacroOfTooManyLinesIsToldAndOnlyRenamedOrDeleted)
{
    const std::string text = "[Huge]\nDelayTimeSelStatus=1\nLoopTimeSelStatus=0\n"
                             "MacroLoopTimes=1\nItemCount=240000\nItem0=A   Dn\n" +
                             section("Small", {"B   Dn"});
    MacroEditor editor = openWith(text);
    EXPECT_EQ(editor.selectedMacro(), 0u);
    ASSERT_TRUE(editor.loadProblem());
    EXPECT_NE(editor.loadProblem()->find("240000 lines"), std::string::npos);
    EXPECT_TRUE(editor.items().empty());
    EXPECT_EQ(editor.commitLoopTimes("3").error().kind, Error::Kind::InvalidInput);
    EXPECT_EQ(editor.insertClick(MacroMouseButton::Left).error().kind, Error::Kind::InvalidInput);
    EXPECT_EQ(editor.setRecordDelays(false).error().kind, Error::Kind::InvalidInput);
    EXPECT_FALSE(editor.startRecording());
    EXPECT_EQ(readText(path()), text);

    ASSERT_TRUE(editor.selectMacro(1).ok());
    EXPECT_FALSE(editor.loadProblem());
    ASSERT_TRUE(editor.selectMacro(0).ok());
    ASSERT_TRUE(editor.renameMacro(0, "Long").ok());
    ASSERT_TRUE(editor.deleteSelectedMacro().ok());
    EXPECT_EQ(editor.macroNames(), Lines{"Small"});
}

TEST_F(MacroEditorTest, AFileOfFarMoreMacrosThanTheMouseHoldsIsRefusedNamingIt)
{
    std::string text;
    for (std::size_t macro = 0; macro <= MacroEditor::kMaxMacrosInFile; ++macro)
        text += "[M" + std::to_string(macro) + "]\n";
    writeText(path(), text);
    const Result<MacroEditor> refused = MacroEditor::open(path(), writer);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().kind, Error::Kind::InvalidInput);
    EXPECT_NE(refused.error().message.find(path() + " holds 101 macros"), std::string::npos)
        << refused.error().message;
    EXPECT_TRUE(openWith(text.substr(0, text.rfind('['))).selectedMacro()) << "a hundred open";
}

TEST_F(MacroEditorTest, AMissingFileIsAnEmptyListUntilTheFirstMacro)
{
    MacroEditor editor = open({true, true});
    EXPECT_TRUE(editor.macroNames().empty());
    EXPECT_FALSE(editor.selectedMacro());
    EXPECT_EQ(editor.options(), (MacroOptions{true, true})) << "the options of before stay";
    EXPECT_FALSE(editor.startRecording()) << "Record does nothing without a macro";
    EXPECT_FALSE(std::filesystem::exists(path()));

    ASSERT_TRUE(editor.newMacro("Macro").ok());
    EXPECT_EQ(readText(path()), "[Macro_0]\nDelayTimeSelStatus=1\nLoopTimeSelStatus=1\n"
                                "MacroLoopTimes=1\nItemCount=0\n");
}

TEST_F(MacroEditorTest, NewNamesNeverRepeatANameInUse)
{
    const struct
    {
        Lines names;
        const char* prefix;
        const char* created;
    } cases[] = {
        {{}, "Macro", "Macro_0"},
        {{"Macro_0", "Macro_7"}, "Macro", "Macro_8"},
        {{"Macro_5", "Macro_2"}, "Macro", "Macro_6"},
        {{"x_y_2"}, "Macro", "Macro_1"},
        {{"Macro_1", "x_y_2"}, "Macro", "Macro_2"},
        {{"macro_3", "b"}, "Macro", "Macro_4"},
        {{"宏_1"}, "宏", "宏_2"},
    };
    for (const auto& c : cases) {
        std::string text;
        for (const std::string& name : c.names)
            text += section(name, {"A   Dn"});
        MacroEditor editor = openWith(text);
        ASSERT_TRUE(editor.newMacro(c.prefix).ok()) << c.created;
        Lines expected = c.names;
        expected.push_back(c.created);
        EXPECT_EQ(editor.macroNames(), expected);
        EXPECT_EQ(onDisk().sectionNames(), expected);
        EXPECT_EQ(editor.selectedMacro(), c.names.size());
        EXPECT_TRUE(editor.items().empty());
        EXPECT_EQ(editor.loopTimes(), 1);
    }
}

TEST_F(MacroEditorTest, RefusesAThirteenthMacro)
{
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += section("Macro_" + std::to_string(i), {});
    MacroEditor editor = openWith(text);
    const Status status = editor.newMacro("Macro");
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().message, "Macro numbers up to 12.");
    EXPECT_EQ(readText(path()), text);
    EXPECT_EQ(editor.macroNames().size(), 12u);
}

TEST_F(MacroEditorTest, RenamesAtCommitWhereTheMacroStands)
{
    MacroEditor editor = openWith(kThreeMacros);
    // Third is empty: renaming it must not lose it.
    ASSERT_TRUE(editor.renameMacro(2, "Empty one").ok());
    ASSERT_TRUE(editor.renameMacro(0, "Opener").ok());
    EXPECT_EQ(editor.macroNames(), (Lines{"Opener", "Second", "Empty one"}));
    EXPECT_EQ(onDisk().sectionNames(), (Lines{"Opener", "Second", "Empty one"}));
    EXPECT_EQ(itemsOnDisk("Opener"), (Lines{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_EQ(onDisk().readInt("Empty one", "ItemCount", -1), 0);

    // The selected macro goes on being saved under its new name.
    ASSERT_TRUE(editor.selectMacro(0).ok());
    editor.selectItem(0);
    ASSERT_TRUE(editor.deleteSelectedItem().ok());
    EXPECT_EQ(itemsOnDisk("Opener"), (Lines{"120 ms", "A   Up"}));
    EXPECT_FALSE(onDisk().hasSection("First"));
}

TEST_F(MacroEditorTest, RefusesNamesThatWouldLoseOrConfuseAMacro)
{
    const struct
    {
        const char* name;
        const char* message; // the start of the message
    } cases[] = {
        {"", "Macro name is blank"},
        {"   ", "Macro name is blank"},
        {"second", "Macro name already exists"},
        {"THIRD", "Macro name already exists"},
        {"a name that is thirty-two chars.",
         "Macro name \"a name that is thirty-two chars.\" is longer"},
        {"a[b", "Macro name \"a[b\" contains"},
        {"a]b", "Macro name \"a]b\" contains"},
        {"tab\there", "Macro name \"tab\there\" contains a control character"},
    };
    MacroEditor editor = openWith(kThreeMacros);
    for (const auto& c : cases) {
        const Status status = editor.renameMacro(0, c.name);
        ASSERT_FALSE(status.ok()) << c.name;
        EXPECT_EQ(status.error().kind, Error::Kind::InvalidInput);
        EXPECT_EQ(status.error().message.rfind(c.message, 0), 0u) << status.error().message;
    }
    EXPECT_EQ(readText(path()), kThreeMacros);
    EXPECT_FALSE(editor.changed());

    // Its own name, or a change of case, is no clash.
    ASSERT_TRUE(editor.renameMacro(0, "First").ok());
    EXPECT_FALSE(editor.changed());
    ASSERT_TRUE(editor.renameMacro(0, "FIRST").ok());
    EXPECT_EQ(editor.macroNames()[0], "FIRST");
    ASSERT_TRUE(editor.renameMacro(0, "thirty-one characters, no more.").ok());
}

TEST_F(MacroEditorTest, CancelPutsTheFileBackAsItWasAtOpening)
{
    struct Case
    {
        const char* what;
        std::function<void(MacroEditor&)> work;
    } cases[] = {
        {"delete", [](MacroEditor& e) { ASSERT_TRUE(e.deleteSelectedMacro().ok()); }},
        {"new and rename",
         [](MacroEditor& e) {
             ASSERT_TRUE(e.newMacro("Macro").ok());
             ASSERT_TRUE(e.renameMacro(3, "Mine").ok());
         }},
        {"lines and options",
         [](MacroEditor& e) {
             e.selectItem(1);
             ASSERT_TRUE(e.insertDelay().ok() && e.deleteSelectedItem().ok());
             ASSERT_TRUE(e.setLoopEnabled(true).ok());
             ASSERT_TRUE(e.commitLoopTimes("9").ok());
         }},
        {"a recording",
         [](MacroEditor& e) {
             ASSERT_TRUE(e.startRecording());
             e.recordKey("Z", false, false, 10);
             ASSERT_TRUE(e.stopRecording().ok());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MacroEditor editor = openWith(kThreeMacros);
        c.work(editor);
        EXPECT_NE(readText(path()), kThreeMacros);
        EXPECT_TRUE(editor.changed());
        ASSERT_TRUE(editor.cancel().ok());
        EXPECT_EQ(readText(path()), kThreeMacros);
    }

    // A file that was not there is not there again.
    std::filesystem::remove(path());
    MacroEditor created = open();
    ASSERT_TRUE(created.newMacro("Macro").ok());
    ASSERT_TRUE(created.cancel().ok());
    EXPECT_FALSE(std::filesystem::exists(path()));
}

TEST_F(MacroEditorTest, CancelWithoutChangesLeavesTheFileAlone)
{
    MacroEditor editor = openWith(kThreeMacros);
    ASSERT_TRUE(editor.selectMacro(2).ok());
    writeText(path(), "[Changed elsewhere]\n");
    ASSERT_TRUE(editor.cancel().ok());
    EXPECT_EQ(readText(path()), "[Changed elsewhere]\n");
}

TEST_F(MacroEditorTest, InsertsClicksAndDelaysAsTheMenuDoes)
{
    const Lines four = {"A   Dn", "B   Dn", "B   Up", "A   Up"};
    const struct
    {
        const char* what;
        Lines before;
        std::optional<std::size_t> selected;
        std::function<Status(MacroEditor&)> insert;
        Lines after;
        std::optional<std::size_t> selectedAfter;
    } cases[] = {
        {"a click after the third line",
         four,
         2,
         [](MacroEditor& e) { return e.insertClick(MacroMouseButton::Left); },
         {"A   Dn", "B   Dn", "B   Up", "L-Button   Dn", "L-Button   Up", "A   Up"},
         3},
        {"a click into an empty list",
         {},
         std::nullopt,
         [](MacroEditor& e) { return e.insertClick(MacroMouseButton::Middle); },
         {"M-Button   Dn", "M-Button   Up"},
         std::nullopt},
        {"no click without a selected line", four, std::nullopt,
         [](MacroEditor& e) { return e.insertClick(MacroMouseButton::Right); }, four, std::nullopt},
        {"a delay above the selected line",
         four,
         2,
         [](MacroEditor& e) { return e.insertDelay(); },
         {"A   Dn", "B   Dn", "50 ms", "B   Up", "A   Up"},
         2},
        {"no delay on the first line", four, 0, [](MacroEditor& e) { return e.insertDelay(); },
         four, 0},
        {"no delay on a delay line",
         {"A   Dn", "9 ms", "A   Up"},
         1,
         [](MacroEditor& e) { return e.insertDelay(); },
         {"A   Dn", "9 ms", "A   Up"},
         1},
        {"no delay below a delay line",
         {"A   Dn", "9 ms", "A   Up"},
         2,
         [](MacroEditor& e) { return e.insertDelay(); },
         {"A   Dn", "9 ms", "A   Up"},
         2},
        {"deleting the selected line",
         four,
         1,
         [](MacroEditor& e) { return e.deleteSelectedItem(); },
         {"A   Dn", "B   Up", "A   Up"},
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MacroEditor editor = openWith(section("M", c.before) + section("N", {"C   Dn"}));
        editor.selectItem(c.selected);
        ASSERT_TRUE(c.insert(editor).ok());
        EXPECT_EQ(editor.items(), c.after);
        EXPECT_EQ(editor.selectedItem(), c.selectedAfter);
        EXPECT_EQ(itemsOnDisk("M"), c.after);
        EXPECT_EQ(onDisk().sectionNames(), (Lines{"M", "N"})) << "saved where it stands";
    }
}

TEST_F(MacroEditorTest, EditsDelaysInPlace)
{
    const struct
    {
        std::size_t line;
        const char* typed;
        const char* after;
    } cases[] = {
        {1, "12 34ms", "1234 ms"},      {1, "250ms", "250 ms"},
        {1, "9999999ms", "6553500 ms"}, {1, "1a2ms", "120 ms"},
        {1, "300", "120 ms"},           {0, "50ms", "A   Dn"}, // not a delay line
    };
    for (const auto& c : cases) {
        MacroEditor editor = openWith(kThreeMacros);
        ASSERT_TRUE(editor.editDelay(c.line, c.typed).ok());
        EXPECT_EQ(editor.items()[c.line], c.after) << c.typed;
        EXPECT_EQ(itemsOnDisk("First")[c.line], c.after) << c.typed;
    }
}

TEST_F(MacroEditorTest, WritesTheLoopCountAsCommitted)
{
    const struct
    {
        const char* typed;
        int stored;
    } cases[] = {{"5", 5}, {"65535", 65535}, {"0", 1}, {"70000", 1}, {"", 1}, {"x", 1}};
    for (const auto& c : cases) {
        MacroEditor editor = openWith(kThreeMacros);
        ASSERT_TRUE(editor.selectMacro(1).ok());
        ASSERT_TRUE(editor.commitLoopTimes(c.typed).ok());
        EXPECT_EQ(editor.loopTimes(), c.stored) << c.typed;
        EXPECT_EQ(onDisk().readInt("Second", "MacroLoopTimes", 0), c.stored) << c.typed;
        EXPECT_EQ(itemsOnDisk("Second"), Lines{"B   Dn"});
    }
}

TEST_F(MacroEditorTest, AnEmptiedMacroIsSavedEmpty)
{
    MacroEditor editor = openWith(kThreeMacros);
    ASSERT_TRUE(editor.selectMacro(1).ok());
    editor.selectItem(0);
    ASSERT_TRUE(editor.deleteSelectedItem().ok());
    const IniDocument document = onDisk();
    EXPECT_EQ(document.readInt("Second", "ItemCount", -1), 0);
    EXPECT_EQ(document.readInt("Second", "LoopTimeSelStatus", -1), 1);
    EXPECT_EQ(document.readInt("Second", "MacroLoopTimes", -1), 5);

    SettingsRecord record;
    ButtonLabels labels;
    ASSERT_TRUE(editor.accept(record, labels).ok());
    EXPECT_EQ(record.macroImage(1), DeviceImage{}) << "the mouse gets the macro emptied";
}

TEST_F(MacroEditorTest, OkHandsTheEncodedImagesToTheRecord)
{
    MacroEditor editor = openWith(kThreeMacros);
    SettingsRecord record;
    record.setDpiStage(0, 32);
    DeviceImage stale{};
    stale.fill(0xAA);
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        record.setMacroImage(slot, stale);

    ButtonLabels labels;
    const Result<MacroHandOver> handOver = editor.accept(record, labels);
    ASSERT_TRUE(handOver.ok());
    EXPECT_TRUE(handOver->notices.empty());
    const MacroImages expected = encodeAll(onDisk());
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        EXPECT_EQ(record.macroImage(slot), expected.images[slot]) << slot;
    // First: A down, 120 ms, A up, with loop count 1.
    EXPECT_EQ(record.macroImage(0)[0], 0x00);
    EXPECT_EQ(record.macroImage(0)[1], 0x01);
    EXPECT_EQ(record.macroImage(0)[2], 0x0C);
    EXPECT_EQ(record.dpiStage(0), 32) << "the settings stay";
}

// A record whose buttons 1 to 4 play macros, with the labels the assignment gave them.
struct MacroButtons
{
    SettingsRecord record;
    ButtonLabels labels;

    void assign(std::size_t button, std::uint8_t position, std::string label)
    {
        ButtonParameters parameters;
        parameters.kind = static_cast<std::uint8_t>(ButtonFunctionKind::MacroKey);
        parameters.macroPosition = position;
        parameters.macroRepeatMode = 2;
        record.setButton(button, parameters);
        labels[button] = std::move(label);
    }
};

TEST_F(MacroEditorTest, ButtonsFollowTheirMacroAfterDeletesAndRenames)
{
    MacroButtons buttons;
    buttons.assign(0, 1, "Macro Key-Second");
    buttons.assign(1, 2, "Macro Key-Third");
    buttons.assign(2, 0, "Macro Key-First");
    buttons.assign(3, 0, "Macro Key-"); // names no macro: left as it is
    buttons.labels[4] = "Single Key-A";
    const ButtonParameters untouched = buttons.record.button(3);

    MacroEditor editor = openWith(kThreeMacros);
    ASSERT_TRUE(editor.deleteSelectedMacro().ok());  // First
    ASSERT_TRUE(editor.renameMacro(1, "Fast").ok()); // Third
    ASSERT_TRUE(editor.newMacro("Macro").ok());

    const Result<MacroHandOver> handOver = editor.accept(buttons.record, buttons.labels);
    ASSERT_TRUE(handOver.ok());
    EXPECT_EQ(buttons.record.button(0).macroPosition, 0);
    EXPECT_EQ(buttons.record.button(1).macroPosition, 1);
    EXPECT_EQ(buttons.labels[1], "Macro Key-Fast");
    EXPECT_EQ(buttons.record.button(1).macroRepeatMode, 2);
    // Button 3's macro is gone: it keeps its bytes and the user is told once.
    EXPECT_EQ(buttons.record.button(2).macroPosition, 0);
    EXPECT_EQ(buttons.labels[2], "Macro Key-First");
    ASSERT_EQ(handOver->notices.size(), 1u);
    EXPECT_NE(handOver->notices[0].find("Button 3"), std::string::npos) << handOver->notices[0];
    EXPECT_EQ(handOver->notices[0].find("Button 4"), std::string::npos) << handOver->notices[0];
    EXPECT_EQ(buttons.record.button(3), untouched);
    EXPECT_EQ(buttons.labels[4], "Single Key-A");
}

TEST_F(MacroEditorTest, LabelsNameTheLongestMacroTheyEndWith)
{
    MacroButtons buttons;
    buttons.assign(0, 0, "Macro Key-my-B");
    MacroEditor editor = openWith(section("B", {"A   Dn"}) + section("my-B", {"A   Dn"}));
    ASSERT_TRUE(editor.accept(buttons.record, buttons.labels).ok());
    EXPECT_EQ(buttons.record.button(0).macroPosition, 1);
}

// `pairs` taps of A, with short pauses.
Lines taps(std::size_t pairs)
{
    Lines items;
    for (std::size_t i = 0; i < pairs; ++i) {
        items.insert(items.end(), {"A   Dn", "10 ms", "A   Up"});
        if (i + 1 < pairs)
            items.push_back("10 ms");
    }
    return items;
}

TEST_F(MacroEditorTest, AMacroMustFitItsImage)
{
    // 63 records: not one more fits.
    Lines full = taps(31);
    full.insert(full.end(), {"10 ms", "B   Dn"});
    MacroEditor editor = openWith(section("Full", full) + section("Long", taps(32)));
    editor.selectItem(0);
    const Status click = editor.insertClick(MacroMouseButton::Left);
    ASSERT_FALSE(click.ok());
    EXPECT_EQ(click.error().kind, Error::Kind::InvalidInput);
    EXPECT_NE(click.error().message.find("\"Full\""), std::string::npos) << click.error().message;
    EXPECT_EQ(itemsOnDisk("Full"), full);
    editor.selectItem(1);
    EXPECT_FALSE(editor.editDelay(1, "2000ms").ok()) << "a longer pause takes a record more";
    ASSERT_TRUE(editor.editDelay(1, "1270ms").ok());

    // Long was made by hand with 64 events: OK names it and stays.
    SettingsRecord record;
    ButtonLabels labels;
    const Result<MacroHandOver> refused = editor.accept(record, labels);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message.find("\"Long\""), std::string::npos);
    EXPECT_EQ(record, SettingsRecord{}) << "nothing handed over";

    // Shortening it, even by deleting lines of a macro already too long, is allowed.
    ASSERT_TRUE(editor.selectMacro(1).ok());
    editor.selectItem(0);
    ASSERT_TRUE(editor.deleteSelectedItem().ok());
    EXPECT_TRUE(editor.accept(record, labels).ok());
}

TEST_F(MacroEditorTest, KeysTheMouseCannotPlayAreKeptMarkedAndNamedOnce)
{
    MacroEditor editor = openWith(
        section("M", {"Application   Dn", "40 ms", "Application   Up", "A   Dn", "Ü   Dn"}));
    EXPECT_FALSE(MacroEditor::playable("Application   Dn"));
    EXPECT_FALSE(MacroEditor::playable("Ü   Up"));
    EXPECT_TRUE(MacroEditor::playable("A   Dn"));
    EXPECT_TRUE(MacroEditor::playable("40 ms"));

    SettingsRecord record;
    ButtonLabels labels;
    Result<MacroHandOver> first = editor.accept(record, labels);
    ASSERT_TRUE(first.ok());
    ASSERT_EQ(first->notices.size(), 1u);
    EXPECT_NE(first->notices[0].find("Application, Ü"), std::string::npos) << first->notices[0];
    // The lines keep their timing: code 0, 40 ms.
    EXPECT_EQ(record.macroImage(0)[2], 0x04);
    EXPECT_EQ(record.macroImage(0)[3], 0x00);

    Result<MacroHandOver> again = editor.accept(record, labels);
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again->notices.empty());
}

TEST_F(MacroEditorTest, LoadedPausesAreClamped)
{
    MacroEditor editor =
        openWith(section("M", {"A   Dn", "-2147483000 ms", "A   Up", "99999999 ms", "B   Dn"}));
    EXPECT_EQ(editor.items(), (Lines{"A   Dn", "0 ms", "A   Up", "6553500 ms", "B   Dn"}));
}

TEST_F(MacroEditorTest, RecordsIntoTheSelectedMacro)
{
    MacroEditor editor = openWith(kThreeMacros);
    ASSERT_TRUE(editor.selectMacro(1).ok()); // delay option off
    ASSERT_TRUE(editor.startRecording());
    EXPECT_TRUE(editor.items().empty()) << "a recording starts empty";

    // Nothing else changes while recording.
    EXPECT_FALSE(editor.selectMacro(0).ok());
    EXPECT_FALSE(editor.newMacro("Macro").ok());
    EXPECT_FALSE(editor.deleteSelectedMacro().ok());
    EXPECT_FALSE(editor.renameMacro(1, "Other").ok());
    EXPECT_FALSE(editor.insertClick(MacroMouseButton::Left).ok());
    EXPECT_FALSE(editor.setRecordDelays(true).ok());
    EXPECT_FALSE(editor.commitLoopTimes("3").ok());
    EXPECT_EQ(readText(path()), kThreeMacros);

    EXPECT_EQ(editor.recordKey("Q", false, false, 100), MacroRecorder::Outcome::Recorded);
    EXPECT_EQ(editor.recordKey("Q", false, true, 130), MacroRecorder::Outcome::Ignored);
    EXPECT_EQ(editor.recordKey("Shift", false, false, 150), MacroRecorder::Outcome::Recorded);
    EXPECT_EQ(editor.items(), (Lines{"Q   Dn", "Shift   Dn"}));
    ASSERT_TRUE(editor.stopRecording().ok());
    EXPECT_FALSE(editor.recording());
    const Lines recorded = {"Q   Dn", "Shift   Dn", "Shift   Up", "Q   Up"};
    EXPECT_EQ(editor.items(), recorded);
    EXPECT_EQ(itemsOnDisk("Second"), recorded);
    EXPECT_EQ(onDisk().readInt("Second", "MacroLoopTimes", 0), 5);
    EXPECT_EQ(onDisk().sectionNames(), (Lines{"First", "Second", "Third"}));
}

TEST_F(MacroEditorTest, ARecordingThatCaughtNothingKeepsTheLines)
{
    const struct
    {
        const char* what;
        bool onCombination;
        Lines keys; // pressed before the stop
    } cases[] = {
        {"stopped at once", false, {}},
        {"stopped by Ctrl+Pause", true, {"Ctrl"}},
    };
    for (const auto& c : cases) {
        MacroEditor editor = openWith(kThreeMacros);
        ASSERT_TRUE(editor.startRecording());
        for (const std::string& key : c.keys)
            editor.recordKey(key, false, false, 5);
        ASSERT_TRUE(editor.stopRecording(c.onCombination).ok());
        EXPECT_EQ(editor.items(), (Lines{"A   Dn", "120 ms", "A   Up"})) << c.what;
        EXPECT_EQ(readText(path()), kThreeMacros) << c.what;
        EXPECT_FALSE(editor.changed()) << c.what;
    }
}

TEST_F(MacroEditorTest, AFullRecordingStopsAndIsSaved)
{
    MacroEditor editor = openWith(kThreeMacros);
    ASSERT_TRUE(editor.selectMacro(1).ok());
    ASSERT_TRUE(editor.startRecording());
    MacroRecorder::Outcome outcome = MacroRecorder::Outcome::Recorded;
    std::uint32_t at = 0;
    for (int i = 0; i < 100 && outcome != MacroRecorder::Outcome::Stopped; ++i)
        outcome = editor.recordKey("K", i % 2 == 1, false, at += 20);
    EXPECT_EQ(outcome, MacroRecorder::Outcome::Stopped);
    EXPECT_FALSE(editor.recording());
    EXPECT_EQ(itemsOnDisk("Second").size(), 62u);
    EXPECT_EQ(itemsOnDisk("Second"), editor.items());
}

TEST_F(MacroEditorTest, AFailedWriteIsToldOnceAndOkWaitsForTheFile)
{
    MacroEditor editor = openWith(kThreeMacros);
    breakWrites();

    editor.selectItem(0);
    const Status first = editor.deleteSelectedItem();
    ASSERT_FALSE(first.ok());
    EXPECT_NE(first.error().kind, Error::Kind::InvalidInput);
    const std::optional<std::string> told = editor.takeWriteProblem();
    ASSERT_TRUE(told.has_value());
    EXPECT_NE(told->find(path()), std::string::npos) << *told;
    EXPECT_EQ(editor.items(), (Lines{"120 ms", "A   Up"})) << "the edit stays on screen";

    EXPECT_FALSE(editor.commitLoopTimes("4").ok());
    EXPECT_FALSE(editor.takeWriteProblem()) << "told once";
    EXPECT_FALSE(editor.selectMacro(1).ok()) << "leaving would lose the edits";
    EXPECT_FALSE(editor.newMacro("Macro").ok());

    SettingsRecord record;
    ButtonLabels labels;
    const Result<MacroHandOver> waiting = editor.accept(record, labels);
    ASSERT_FALSE(waiting.ok());
    EXPECT_NE(waiting.error().message.find(path()), std::string::npos);
    EXPECT_EQ(record, SettingsRecord{});

    mendWrites();
    ASSERT_TRUE(editor.accept(record, labels).ok());
    EXPECT_EQ(itemsOnDisk("First"), (Lines{"120 ms", "A   Up"}));
    EXPECT_EQ(onDisk().readInt("First", "MacroLoopTimes", 0), 4);
    EXPECT_EQ(record.macroImage(0), encodeAll(onDisk()).images[0]);

    // A later failure is a new problem, told again.
    breakWrites();
    EXPECT_FALSE(editor.setRecordDelays(false).ok());
    EXPECT_TRUE(editor.takeWriteProblem().has_value());
    mendWrites();
}

TEST_F(MacroEditorTest, TheOptionsAreSavedWithTheSelectedMacro)
{
    MacroEditor editor = openWith(kThreeMacros);
    ASSERT_TRUE(editor.setRecordDelays(false).ok());
    ASSERT_TRUE(editor.setLoopEnabled(true).ok());
    EXPECT_EQ(onDisk().readInt("First", "DelayTimeSelStatus", -1), 0);
    EXPECT_EQ(onDisk().readInt("First", "LoopTimeSelStatus", -1), 1);
    EXPECT_EQ(onDisk().sectionNames(), (Lines{"First", "Second", "Third"}));
    // Third says 1 for delays: selecting it turns the option back on.
    ASSERT_TRUE(editor.selectMacro(2).ok());
    EXPECT_EQ(editor.options(), (MacroOptions{true, false}));
}

} // namespace
} // namespace volantra
