#include "macro/macro_encoder.h"
#include "macro/macro_store.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/macro_files.h"
#include "support/temporary_directory.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace volantra {
namespace {

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

using test::writeText;

// Three macros as the editor leaves them.
const std::string kThreeMacros = test::tapOfA("First") +
                                 test::macroSection("Second", {"B   Dn"}, 0, 1, 5) +
                                 "[Third]\n"
                                 "MacroLoopTimes=1\n";

class MacroStoreTest : public ::testing::Test
{
protected:
    std::string path() const { return directory.file("record.ini"); }

    MacroStore open()
    {
        Result<MacroStore> store = MacroStore::open(path(), writer);
        EXPECT_TRUE(store.ok()) << (store.ok() ? "" : store.error().message);
        return std::move(*store);
    }

    MacroStore openWith(const std::string& text)
    {
        writeText(path(), text);
        return open();
    }

    test::TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
};

TEST_F(MacroStoreTest, AMissingFileHasNoMacros)
{
    const MacroStore store = open();
    EXPECT_TRUE(store.listMacros().empty());
    EXPECT_EQ(store.loadMacro("Macro_0").error().kind, Error::Kind::NotFound);
}

TEST_F(MacroStoreTest, ListsTheMacrosInFileOrder)
{
    const MacroStore store = openWith(kThreeMacros);
    EXPECT_EQ(store.listMacros(), (std::vector<std::string>{"First", "Second", "Third"}));
}

TEST_F(MacroStoreTest, ListsEveryNameHoweverLongTheList)
{
    std::string text;
    std::vector<std::string> names;
    for (int k = 0; k < 12; ++k) {
        names.push_back(std::string(29, 'n') + (k < 10 ? "0" : "") + std::to_string(k));
        text += "[" + names.back() + "]\nItemCount=0\n";
    }
    EXPECT_EQ(openWith(text).listMacros(), names);
}

TEST_F(MacroStoreTest, LoadsAMacro)
{
    const MacroStore store = openWith(kThreeMacros);
    MacroDefinition first;
    first.name = "First";
    first.recordDelays = true;
    first.loopEnabled = false;
    first.loopTimes = 1;
    first.items = {"A   Dn", "120 ms", "A   Up"};
    EXPECT_EQ(*store.loadMacro("First"), first);
    // Names compare without regard to case, as in the file; the stored name is returned.
    EXPECT_EQ(store.loadMacro("second")->name, "Second");
    EXPECT_EQ(store.loadMacro("Second")->loopTimes, 5);
}

TEST_F(MacroStoreTest, ReadsFlagsAndLoopCountsAsTheEditorDoes)
{
    const struct
    {
        const char* value;
        std::optional<bool> flag;
        std::uint16_t loopTimes;
    } cases[] = {
        {"1", true, 1},
        {"0", false, 1},
        {"2", std::nullopt, 2},
        {"", std::nullopt, 1},
        {"abc", false, 1},
        {"65535", std::nullopt, 65535},
        {"70000", std::nullopt, 1},
        {"-4", std::nullopt, 1},
    };
    for (const auto& c : cases) {
        const std::string value = c.value;
        const MacroStore store =
            openWith("[M]\nDelayTimeSelStatus=" + value + "\nLoopTimeSelStatus=" + value +
                     "\nMacroLoopTimes=" + value + "\n");
        const Result<MacroDefinition> macro = store.loadMacro("M");
        ASSERT_TRUE(macro.ok());
        EXPECT_EQ(macro->recordDelays, c.flag) << value;
        EXPECT_EQ(macro->loopEnabled, c.flag) << value;
        EXPECT_EQ(macro->loopTimes, c.loopTimes) << value;
    }
}

TEST_F(MacroStoreTest, ReadsItemsUpToItemCount)
{
    const std::vector<std::string> thousand(MacroStore::kMaxItems, "");
    const struct
    {
        std::string section;
        std::optional<std::vector<std::string>> items; // nothing: refused
    } cases[] = {
        {"[M]\nItemCount=2\nItem0=A   Dn\nItem1=A   Up\nItem2=B   Dn\n", {{"A   Dn", "A   Up"}}},
        {"[M]\nItem0=A   Dn\n", {{}}},              // no count: no items
        {"[M]\nItemCount=x\nItem0=A   Dn\n", {{}}}, // a count that is no number
        {"[M]\nItemCount=3\nItem0=A   Dn\nItem2=A   Up\n", {{"A   Dn", "", "A   Up"}}},
        // Items the file lacks at the end are empty lines too, so a save keeps the count.
        {"[M]\nItemCount=5\nItem0=A   Dn\nItem1=A   Up\nItem2=B   Dn\n",
         {{"A   Dn", "A   Up", "B   Dn", "", ""}}},
        {"[M]\nItemCount=1000\n", thousand},
        // Not two billion lines, nor even a thousand and one: the message names the count.
        {"[M]\nItemCount=1001\nItem0=A   Dn\n", std::nullopt},
        {"[M]\nItemCount=2000000000\nItem0=A   Dn\n", std::nullopt},
    };
    for (const auto& c : cases) {
        const Result<MacroDefinition> macro = openWith(c.section).loadMacro("M");
        ASSERT_EQ(macro.ok(), c.items.has_value()) << c.section;
        if (macro) {
            EXPECT_EQ(macro->items, *c.items) << c.section;
        } else {
            EXPECT_EQ(macro.error().kind, Error::Kind::InvalidInput);
            const std::size_t at = c.section.find('=') + 1;
            const std::string count = c.section.substr(at, c.section.find('\n', at) - at);
            EXPECT_NE(macro.error().message.find(count + " lines"), std::string::npos)
                << macro.error().message;
            EXPECT_NE(macro.error().message.find("record.ini"), std::string::npos);
        }
    }
}

TEST_F(MacroStoreTest, SavingKeepsTheMacroWhereItStands)
{
    MacroStore store = openWith(kThreeMacros);
    MacroDefinition first = *store.loadMacro("First");
    first.items = {"C   Dn"};
    first.loopEnabled = true;
    first.loopTimes = 7;
    ASSERT_TRUE(store.saveMacro(first).ok());

    // The file, read afresh: same order, the new keys in their order, the old items gone.
    const std::string expected =
        "[First]\n"
        "DelayTimeSelStatus=1\n"
        "LoopTimeSelStatus=1\n"
        "MacroLoopTimes=7\n"
        "ItemCount=1\n"
        "Item0=C   Dn\n" +
        std::string(kThreeMacros).substr(std::string(kThreeMacros).find("[Second]"));
    EXPECT_EQ(readText(path()), expected);
    EXPECT_EQ(open().listMacros(), (std::vector<std::string>{"First", "Second", "Third"}));
    EXPECT_EQ(*open().loadMacro("First"), first);
}

TEST_F(MacroStoreTest, SavingAnEmptyListEmptiesTheMacro)
{
    MacroStore store = openWith(kThreeMacros);
    MacroDefinition first = *store.loadMacro("First");
    first.items.clear();
    ASSERT_TRUE(store.saveMacro(first).ok());
    EXPECT_TRUE(open().loadMacro("First")->items.empty());
    // So the mouse gets what the editor showed: nothing.
    EXPECT_EQ(encodeAll(open().document()).images[0], DeviceImage{});
}

TEST_F(MacroStoreTest, SavingANewMacroAddsItAtTheEnd)
{
    MacroStore store = openWith(kThreeMacros);
    MacroDefinition fourth;
    fourth.name = "Fourth";
    fourth.items = {"D   Dn"};
    ASSERT_TRUE(store.saveMacro(fourth).ok());
    EXPECT_EQ(open().listMacros(),
              (std::vector<std::string>{"First", "Second", "Third", "Fourth"}));
    fourth.recordDelays = false;
    fourth.loopEnabled = false;
    EXPECT_EQ(*open().loadMacro("Fourth"), fourth);
}

TEST_F(MacroStoreTest, AddsMacrosAndCreatesTheFile)
{
    MacroStore store = open();
    ASSERT_TRUE(store.addMacro("Macro_0").ok());
    ASSERT_TRUE(store.addMacro("Macro_1").ok());
    EXPECT_EQ(readText(path()), "[Macro_0]\nMacroLoopTimes=1\n\n[Macro_1]\nMacroLoopTimes=1\n");
}

TEST_F(MacroStoreTest, RefusesNamesTheFileCannotKeep)
{
    const struct
    {
        std::string name;
        const char* message; // nullptr: accepted
    } cases[] = {
        {"", "Macro name is blank"},
        {"   ", "Macro name is blank"},
        {"second", "Macro name already exists"},
        {"Second", "Macro name already exists"},
        {std::string(31, 'x'), nullptr},
        {std::string(32, 'x'), "Macro name \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\" is longer than 31 "
                               "characters"},
        {"\xc3\xa9t\xc3\xa9" + std::string(28, 'e'), nullptr}, // 31 characters, 33 bytes
        {"a[b", "Macro name \"a[b\" contains \"[\" or \"]\""},
        {"a]", "Macro name \"a]\" contains \"[\" or \"]\""},
        {"a\tb", "Macro name \"a\tb\" contains a control character"},
        {"a\nb", "Macro name \"a\nb\" contains a control character"},
        {" a", "Macro name \" a\" begins or ends with white space"},
        {"Macro 2", nullptr},
    };
    for (const auto& c : cases) {
        MacroStore store = openWith(kThreeMacros);
        const Status added = store.addMacro(c.name);
        if (c.message) {
            ASSERT_FALSE(added.ok()) << c.name;
            EXPECT_EQ(added.error().message, c.message);
            EXPECT_EQ(readText(path()), kThreeMacros) << c.name;
        } else {
            EXPECT_TRUE(added.ok()) << c.name;
            EXPECT_EQ(open().listMacros().back(), c.name);
        }
    }
}

TEST_F(MacroStoreTest, KeepsAtMostTwelveMacros)
{
    MacroStore store = open();
    for (int k = 0; k < 12; ++k)
        ASSERT_TRUE(store.addMacro("Macro_" + std::to_string(k)).ok());
    const std::string twelve = readText(path());

    MacroDefinition extra;
    extra.name = "Macro_12";
    extra.items = {"A   Dn"};
    for (const Status& refused : {store.addMacro("Macro_12"), store.saveMacro(extra),
                                  store.writeLoopTimes("Macro_12", 3)}) {
        ASSERT_FALSE(refused.ok());
        EXPECT_EQ(refused.error().message, "Macro numbers up to 12.");
    }
    EXPECT_EQ(readText(path()), twelve);
    // The twelve may still change.
    EXPECT_TRUE(store.writeLoopTimes("Macro_11", 3).ok());
}

TEST_F(MacroStoreTest, RenamesInPlace)
{
    MacroStore store = openWith(kThreeMacros);
    ASSERT_TRUE(store.renameMacro("First", "Opening").ok());
    EXPECT_EQ(open().listMacros(), (std::vector<std::string>{"Opening", "Second", "Third"}));
    EXPECT_EQ(open().loadMacro("Opening")->items,
              (std::vector<std::string>{"A   Dn", "120 ms", "A   Up"}));
}

TEST_F(MacroStoreTest, RefusesRenamesThatWouldLoseAMacro)
{
    const struct
    {
        const char* from;
        std::string to;
        const char* message;
    } cases[] = {
        {"First", "Second", "Macro name already exists"},
        {"First", "THIRD", "Macro name already exists"},
        {"First", "", "Macro name is blank"},
        {"First", std::string(40, 'q'),
         "Macro name \"qqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqq\" is longer than 31 characters"},
        {"Missing", "Other", "There is no macro \"Missing\""},
    };
    for (const auto& c : cases) {
        MacroStore store = openWith(kThreeMacros);
        const Status renamed = store.renameMacro(c.from, c.to);
        ASSERT_FALSE(renamed.ok()) << c.to;
        EXPECT_EQ(renamed.error().message, c.message);
        EXPECT_EQ(readText(path()), kThreeMacros);
    }
}

TEST_F(MacroStoreTest, DeletesAMacro)
{
    MacroStore store = openWith(kThreeMacros);
    ASSERT_TRUE(store.deleteMacro("second").ok());
    EXPECT_EQ(open().listMacros(), (std::vector<std::string>{"First", "Third"}));
    EXPECT_EQ(store.deleteMacro("Second").error().kind, Error::Kind::NotFound);
}

TEST_F(MacroStoreTest, WritesTheLoopCountAsValidated)
{
    const struct
    {
        long long typed;
        std::uint16_t stored;
    } cases[] = {{300, 300}, {1, 1}, {65535, 65535}, {0, 1}, {70000, 1}, {-2, 1}};
    for (const auto& c : cases) {
        MacroStore store = openWith(kThreeMacros);
        ASSERT_TRUE(store.writeLoopTimes("Second", c.typed).ok());
        EXPECT_EQ(open().loadMacro("Second")->loopTimes, c.stored) << c.typed;
        EXPECT_EQ(open().listMacros().size(), 3u);
    }
}

TEST_F(MacroStoreTest, WritingTheLoopCountCreatesTheFileAndTheMacro)
{
    MacroStore store = open();
    ASSERT_TRUE(store.writeLoopTimes("Macro_0", 1).ok());
    EXPECT_EQ(readText(path()), "[Macro_0]\nMacroLoopTimes=1\n");
}

TEST_F(MacroStoreTest, AFailedSaveLeavesFileAndStoreAsTheyWere)
{
    MacroStore store = openWith(kThreeMacros);
    MacroDefinition first = *store.loadMacro("First");
    first.items = {"A   Dn", "two\nlines"};
    EXPECT_FALSE(store.saveMacro(first).ok());
    EXPECT_EQ(readText(path()), kThreeMacros);
    EXPECT_EQ(store.loadMacro("First")->items.size(), 3u);
}

TEST(MacroNextName, NumbersAfterTheLastName)
{
    const struct
    {
        std::vector<std::string> names;
        const char* next;
    } cases[] = {
        {{}, "Macro_0"},
        {{"Macro_0"}, "Macro_1"},
        {{"Macro_0", "Macro_7"}, "Macro_8"},
        {{"a", "b", "c"}, "Macro_3"},
        {{"x_y_2"}, "Macro_1"},
        // One more than the largest number of any name of that form, wherever it stands.
        {{"Macro_1", "x_y_2"}, "Macro_2"},
        {{"Macro_1", "Macro_0"}, "Macro_2"},
        {{"Macro_5", "Macro_2"}, "Macro_6"},
        {{"Macro_9", "Macro_10"}, "Macro_11"},
        {{"macro_4", "Other"}, "Macro_5"},
        // Renamed so that the count names a macro in use.
        {{"Macro_2", "b"}, "Macro_3"},
        {{"a", "Macro_2x", "Macro_"}, "Macro_3"},
        // A number too long for a name: the lowest free one.
        {{"Macro_9999999999999999999999999", "Macro_0"}, "Macro_1"},
    };
    for (const auto& c : cases) {
        const Result<std::string> next = nextMacroName(c.names, "Macro");
        ASSERT_TRUE(next.ok());
        EXPECT_EQ(*next, c.next);
    }
}

TEST(MacroNextName, RefusesAThirteenthMacro)
{
    std::vector<std::string> names;
    for (int k = 0; k < 12; ++k)
        names.push_back("Macro_" + std::to_string(k));
    const Result<std::string> next = nextMacroName(names, "Macro");
    ASSERT_FALSE(next.ok());
    EXPECT_EQ(next.error().message, "Macro numbers up to 12.");
}

} // namespace
} // namespace volantra
