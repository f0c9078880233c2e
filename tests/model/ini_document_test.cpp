#include "model/ini_document.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace volantra {
namespace {

std::string text(const IniDocument& document)
{
    const std::vector<std::uint8_t> bytes = document.serialize();
    return std::string(bytes.begin(), bytes.end());
}

// A UTF-16LE file with its byte-order mark, as Windows editors save "Unicode" text.
std::vector<std::uint8_t> utf16File(std::u16string_view content)
{
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    for (char16_t unit : content) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::string utf8(std::u8string_view content)
{
    return std::string(content.begin(), content.end());
}

TEST(IniDocument, ReadsValuesTheWayThePlatformDoes)
{
    struct Case
    {
        const char* name;
        std::string file;
        std::string section;
        const char* key;
        std::optional<std::string> expected;
    } cases[] = {
        {"plain key", "[Skins]\nPath=Default\n", "Skins", "Path", "Default"},
        {"names ignore ASCII case", "[Skins]\nRColor=12\n", "sKINS", "rcolor", "12"},
        {"blanks around names and '=' are trimmed", "[Skins]\n \t Path \t=\t Dark Blue \t\n",
         "Skins", "Path", "Dark Blue"},
        {"lookup names are trimmed too", "[Skins]\nPath=x\n", " Skins ", "\tPath ", "x"},
        {"CRLF line endings", "[Profile]\r\nItemCount=3\r\nItem0=Game\r\n", "Profile", "Item0",
         "Game"},
        {"old Mac CR line endings", "[Profile]\rItemCount=3\rItem0=Game\r", "Profile", "Item0",
         "Game"},
        {"no line ending at the end", "[Profile]\nItem0=Game", "Profile", "Item0", "Game"},
        {"double quotes are removed", "[S]\nK=\"  spaced  \"\n", "S", "K", "  spaced  "},
        {"single quotes are removed", "[S]\nK='x'\n", "S", "K", "x"},
        {"only one pair of quotes goes", "[S]\nK=\"\"x\"\"\n", "S", "K", "\"x\""},
        {"quotes that do not match stay", "[S]\nK=\"x'\n", "S", "K", "\"x'"},
        {"a lone quote stays", "[S]\nK=\"\n", "S", "K", "\""},
        {"quotes inside a value stay", "[S]\nK=say \"hi\" now\n", "S", "K", "say \"hi\" now"},
        {"the value may hold '='", "[S]\nK=a=b\n", "S", "K", "a=b"},
        {"a key without a value reads empty", "[S]\nK=\n", "S", "K", ""},
        {"the first of two equal keys wins", "[S]\nK=first\nk=second\n", "S", "K", "first"},
        {"reads see the first of two equal sections", "[S]\nK=first\n[T]\n[s]\nK=second\n", "S",
         "K", "first"},
        {"keys of a hidden duplicate section are not seen", "[S]\nA=1\n[S]\nB=2\n", "S", "B",
         std::nullopt},
        {"keys before the first section belong to none", "K=stray\n[S]\nA=1\n", "S", "K",
         std::nullopt},
        {"a line without '=' is no key", "[S]\nK\n", "S", "K", std::nullopt},
        {"a comment is no key", "[S]\n;K=commented\n  ; K=indented\n", "S", "K", std::nullopt},
        {"a key after comments and blank lines", "[S]\n; about S\n\n\r\nK=v\n", "S", "K", "v"},
        {"blanks inside the brackets", "[  Skins\t]\nPath=x\n", "Skins", "Path", "x"},
        {"text after ']' is ignored", "[Skins] ; colours\nPath=x\n", "Skins", "Path", "x"},
        {"the name ends at the last ']'", "[a]b]\nK=v\n", "a]b", "K", "v"},
        {"a '[' line without ']' opens no section", "[S]\nK=old\n[T\nK=new\n", "S", "K", "old"},
        {"an indented section header", "  [S]\nK=v\n", "S", "K", "v"},
        {"an empty section name", "[]\nK=v\n", "", "K", "v"},
        {"a UTF-8 byte-order mark is not part of the first name", "\xEF\xBB\xBF[Skins]\nLan=CHS\n",
         "Skins", "Lan", "CHS"},
        {"UTF-8 names and values", utf8(u8"[Setting-CHS]\nItem1=左键\n"), "setting-chs", "item1",
         utf8(u8"左键")},
        {"case folding is ASCII only", utf8(u8"[Ä]\nK=v\n"), utf8(u8"ä"), "K", std::nullopt},
        {"a missing section", "[S]\nK=v\n", "T", "K", std::nullopt},
        {"a missing key", "[S]\nK=v\n", "S", "L", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IniDocument document = IniDocument::parse(c.file);
        EXPECT_EQ(document.value(c.section, c.key), c.expected);
        EXPECT_EQ(document.readString(c.section, c.key, "<default>"),
                  c.expected.value_or("<default>"));
        EXPECT_EQ(document.hasKey(c.section, c.key), c.expected.has_value());
    }
}

TEST(IniDocument, ValuesAreCutTo1023CharactersOnRead)
{
    const std::string emoji = utf8(u8"😀"); // two UTF-16 units
    const std::string eAcute = utf8(u8"é");
    struct Case
    {
        const char* name;
        std::string stored;
        std::string expected;
    } cases[] = {
        {"exactly 1023 stays", std::string(1023, 'x'), std::string(1023, 'x')},
        {"1024 loses the last", std::string(1024, 'x'), std::string(1023, 'x')},
        {"2000 are cut", std::string(2000, 'y'), std::string(1023, 'y')},
        {"a two-byte character is one", std::string(1022, 'x') + eAcute + "z",
         std::string(1022, 'x') + eAcute},
        {"a character outside the BMP is two, and not split", std::string(1022, 'x') + emoji,
         std::string(1022, 'x')},
        {"quotes do not count", "\"" + std::string(1023, 'q') + "\"", std::string(1023, 'q')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IniDocument document = IniDocument::parse("[S]\nK=" + c.stored + "\n");
        EXPECT_EQ(document.readString("S", "K", ""), c.expected);
    }
    EXPECT_EQ(IniDocument().readString("S", "K", std::string(1500, 'd')), std::string(1023, 'd'));
}

TEST(IniDocument, ReadsIntegersLikeGetPrivateProfileInt)
{
    struct Case
    {
        const char* line;
        int expected;
    } cases[] = {
        {"K=42", 42},
        {"K=-5", -5},
        {"K=+3", 3},
        {"K=12px", 12},
        {"K=3.7", 3},
        {"K=0x10", 0},
        {"K=abc", 0},
        {"K=-", 0},
        {"K= - 5", 0},
        {"K=  9  ", 9},
        {"K=\"15\"", 15},
        {"K=007", 7},
        {"K=2147483647", INT_MAX},
        {"K=99999999999999999999", INT_MAX},
        {"K=-2147483648", INT_MIN},
        {"K=-99999999999", INT_MIN},
        {"K=", 77},      // empty reads as the default
        {"K=\"\"", 77},  // and so do empty quotes
        {"Other=1", 77}, // a missing key
        {"K", 77},       // a line without '='
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const IniDocument document = IniDocument::parse(std::string("[Skins]\n") + c.line + "\n");
        EXPECT_EQ(document.readInt("Skins", "K", 77), c.expected);
    }
}

TEST(IniDocument, EditsChangeOnlyTheLinesTheyConcern)
{
    struct Case
    {
        const char* name;
        std::string before;
        std::function<Status(IniDocument&)> edit;
        std::string after;
    } cases[] = {
        {"a new value keeps the key's spelling and spacing", "[S]\r\nKey = 1\r\n; c\r\nB=2\r\n",
         [](IniDocument& d) { return d.writeString("s", "KEY", "9"); },
         "[S]\r\nKey = 9\r\n; c\r\nB=2\r\n"},
        {"trailing blanks of the old value go", "[S]\nK=old   \nL=1\n",
         [](IniDocument& d) { return d.writeString("S", "K", "new"); }, "[S]\nK=new\nL=1\n"},
        {"a new key goes after the last key, before the blank lines and comments that end "
         "the section",
         "[S]\nA=1\n\n; next\n[T]\nX=1\n",
         [](IniDocument& d) { return d.writeString("S", "B", "2"); },
         "[S]\nA=1\nB=2\n\n; next\n[T]\nX=1\n"},
        {"a new key goes after the comments right under the name", "[S]\n; about S\n[T]\n",
         [](IniDocument& d) { return d.writeString("S", "A", "1"); }, "[S]\n; about S\nA=1\n[T]\n"},
        {"a new key in the last section", "[S]\nA=1\n",
         [](IniDocument& d) { return d.writeString("S", "B", "2"); }, "[S]\nA=1\nB=2\n"},
        {"a new key after a last line without an ending", "[S]\nA=1",
         [](IniDocument& d) { return d.writeString("S", "B", "2"); }, "[S]\nA=1\nB=2\n"},
        {"a new section goes to the end, after a blank line, with the file's line ending",
         "[S]\r\nA=1\r\n", [](IniDocument& d) { return d.writeString("T", "K", "v"); },
         "[S]\r\nA=1\r\n\r\n[T]\r\nK=v\r\n"},
        {"no second blank line before a new section", "[S]\nA=1\n\n",
         [](IniDocument& d) { return d.writeString("T", "K", "v"); }, "[S]\nA=1\n\n[T]\nK=v\n"},
        {"the first section of an empty file", "",
         [](IniDocument& d) { return d.writeString("Skins", "Lan", "CHS"); }, "[Skins]\nLan=CHS\n"},
        {"keys before the first section stay where they are", "; made by hand\nstray=1",
         [](IniDocument& d) { return d.writeString("S", "stray", "2"); },
         "; made by hand\nstray=1\n\n[S]\nstray=2\n"},
        {"writes go to the first of two equal sections", "[S]\nA=1\n[s]\nA=2\n",
         [](IniDocument& d) {
             Status first = d.writeString("S", "A", "3");
             return first ? d.writeString("S", "B", "4") : first;
         },
         "[S]\nA=3\nB=4\n[s]\nA=2\n"},
        {"a write changes the first of two equal keys", "[S]\nA=1\nA=2\n",
         [](IniDocument& d) { return d.writeString("S", "A", "3"); }, "[S]\nA=3\nA=2\n"},
        {"values that would be trimmed or unquoted are written in quotes", "[S]\n",
         [](IniDocument& d) {
             Status a = d.writeString("S", "A", " padded ");
             Status b = a ? d.writeString("S", "B", "\"q\"") : a;
             return b ? d.writeString("S", "C", "'") : b;
         },
         "[S]\nA=\" padded \"\nB=\"\"q\"\"\nC='\n"},
        {"removing a key removes its duplicates in the section", "[S]\nA=1\nB=2\na=3\n[T]\nA=4\n",
         [](IniDocument& d) { return d.removeKey("S", "A") ? Status{} : Error{}; },
         "[S]\nB=2\n[T]\nA=4\n"},
        {"removing a section removes its duplicates and their lines",
         "; top\n[A]\nx=1\n\n[B]\ny=2\n[a]\nz=3\n",
         [](IniDocument& d) { return d.removeSection("A") ? Status{} : Error{}; },
         "; top\n[B]\ny=2\n"},
        {"removing the last section leaves the rest whole", "[A]\nx=1\n[B]\ny=2",
         [](IniDocument& d) { return d.removeSection("b") ? Status{} : Error{}; }, "[A]\nx=1\n"},
        {"replacing a section keeps its place and its surrounding comments",
         "[Macro_1]\n; first\nItem0=a\nstray line\n; inner\nItem1=b\n\n; second\n[Macro_2]\n"
         "Item0=c\n",
         [](IniDocument& d) {
             const IniEntry entries[] = {{"ItemCount", "1"}, {"Item0", "z"}};
             return d.replaceSection("macro_1", entries);
         },
         "[Macro_1]\n; first\nItemCount=1\nItem0=z\n\n; second\n[Macro_2]\nItem0=c\n"},
        {"replacing a section that is not there appends it", "[A]\nx=1\n",
         [](IniDocument& d) {
             const IniEntry entries[] = {{"k", "v"}};
             return d.replaceSection("B", entries);
         },
         "[A]\nx=1\n\n[B]\nk=v\n"},
        {"a key given twice to replaceSection keeps its first place and last value", "[A]\n",
         [](IniDocument& d) {
             const IniEntry entries[] = {{"k", "1"}, {"m", "2"}, {"K", "3"}};
             return d.replaceSection("A", entries);
         },
         "[A]\nk=3\nm=2\n"},
        {"renaming keeps the place and the spacing in the brackets",
         "[ Macro_1 ] ; note\nA=1\n[Macro_2]\n",
         [](IniDocument& d) { return d.renameSection("MACRO_1", "Renamed"); },
         "[ Renamed ] ; note\nA=1\n[Macro_2]\n"},
        {"renaming drops the duplicates the section hid", "[A]\nx=1\n[B]\n[A]\nx=2\n",
         [](IniDocument& d) { return d.renameSection("A", "C"); }, "[C]\nx=1\n[B]\n"},
        {"a change of case keeps the duplicates hidden", "[A]\nx=1\n[A]\nx=2\n",
         [](IniDocument& d) { return d.renameSection("A", "a"); }, "[a]\nx=1\n[A]\nx=2\n"},
        {"writing the value that is there changes nothing", "[S]\nK =  same\n",
         [](IniDocument& d) { return d.writeString("S", "K", "same"); }, "[S]\nK =  same\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument document = IniDocument::parse(c.before);
        const Status status = c.edit(document);
        EXPECT_TRUE(status.ok()) << (status ? "" : status.error().message);
        EXPECT_EQ(text(document), c.after);
    }
}

TEST(IniDocument, WritesThatCouldNotBeReadBackAreRefused)
{
    struct Case
    {
        const char* name;
        std::string section;
        std::string key;
        std::string value;
    } cases[] = {
        {"line feed in a value", "S", "K", "one\ntwo"},
        {"carriage return in a value", "S", "K", "one\rtwo"},
        {"line break in a key", "S", "K\nX", "v"},
        {"line break in a section name", "S]\n[T", "K", "v"},
        {"'=' in a key", "S", "A=B", "v"},
        {"a key that reads as a section", "S", "[T]", "v"},
        {"a key that reads as a comment", "S", ";K", "v"},
        {"an empty key", "S", "", "v"},
        {"a key of blanks only", "S", " \t ", "v"},
        {"a value longer than the platform reads", "S", "K", std::string(1024, 'x')},
    };
    const std::string before = "[S]\nK=old\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument document = IniDocument::parse(before);
        const Status written = document.writeString(c.section, c.key, c.value);
        ASSERT_FALSE(written.ok());
        EXPECT_EQ(written.error().kind, Error::Kind::InvalidInput);
        const IniEntry entries[] = {{"Fine", "1"}, {c.key, c.value}};
        const Status replaced = document.replaceSection(c.section, entries);
        ASSERT_FALSE(replaced.ok());
        EXPECT_EQ(text(document), before);
    }

    IniDocument document = IniDocument::parse(before);
    const Status renamed = document.renameSection("S", "A\r\nB");
    ASSERT_FALSE(renamed.ok());
    EXPECT_EQ(renamed.error().kind, Error::Kind::InvalidInput);
    EXPECT_EQ(text(document), before);
}

TEST(IniDocument, WrittenValuesReadBackExactly)
{
    const std::string longest = std::string(1022, 'x') + utf8(u8"é");
    const std::string values[] = {
        "",   "plain", " leading",        "trailing\t",      "\"quoted\"", "'single'",
        "\"", "a=b=c", "; not a comment", "[not a section]", longest};
    for (const std::string& value : values) {
        SCOPED_TRACE(value);
        IniDocument document;
        ASSERT_TRUE(document.writeString("S", "K", value).ok());
        EXPECT_EQ(IniDocument::parse(text(document)).readString("S", "K", "<none>"), value);
    }
}

TEST(IniDocument, ListsSectionsInFileOrderEachOnce)
{
    std::string file;
    std::vector<std::string> expected;
    // Far more than the 255 characters of section names the platform's list holds.
    for (int i = 0; i < 60; ++i) {
        const std::string name = "Macro_" + std::to_string(i) + "_long_name";
        file += "[" + name + "]\nItemCount=0\n";
        expected.push_back(name);
    }
    file = "stray=1\n[Profile]\n" + file + "[PROFILE]\n[ Empty ]\n";
    expected.insert(expected.begin(), "Profile");
    expected.push_back("Empty");
    EXPECT_EQ(IniDocument::parse(file).sectionNames(), expected);
    EXPECT_TRUE(IniDocument().sectionNames().empty());
}

TEST(IniDocument, ListsTheKeysOfTheFirstSectionInOrderEachOnce)
{
    const IniDocument document = IniDocument::parse("[M]\nDelayTimeSelStatus=1\n; Item9=x\n"
                                                    "no equals sign\nItemCount = 2\n"
                                                    "Item0='A   Dn'\nitemcount=5\nItem1=A   Up\n"
                                                    "[m]\nHidden=1\n");
    const std::vector<std::string> keys = {"DelayTimeSelStatus", "ItemCount", "Item0", "Item1"};
    EXPECT_EQ(document.keyNames("M"), keys);
    const std::vector<IniEntry> entries = {
        {"DelayTimeSelStatus", "1"}, {"ItemCount", "2"}, {"Item0", "A   Dn"}, {"Item1", "A   Up"}};
    EXPECT_EQ(document.entries("m"), entries);
    EXPECT_TRUE(document.keyNames("Missing").empty());
}

TEST(IniDocument, RenameNeedsTheSourceAndAFreeName)
{
    const std::string before = "[A]\nx=1\n[B]\ny=2\n";
    IniDocument document = IniDocument::parse(before);

    const Status missing = document.renameSection("C", "D");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, Error::Kind::NotFound);

    const Status taken = document.renameSection("A", "b");
    ASSERT_FALSE(taken.ok());
    EXPECT_EQ(taken.error().kind, Error::Kind::InvalidInput);
    EXPECT_NE(taken.error().message.find("[b]"), std::string::npos);
    EXPECT_EQ(text(document), before);
}

TEST(IniDocument, RemovingWhatIsNotThereChangesNothing)
{
    const std::string before = "[A]\nx=1";
    IniDocument document = IniDocument::parse(before);
    EXPECT_FALSE(document.removeKey("A", "y"));
    EXPECT_FALSE(document.removeKey("B", "x"));
    EXPECT_FALSE(document.removeSection("B"));
    EXPECT_EQ(text(document), before);
}

TEST(IniDocument, FilesFromOtherEditorsComeBackByteForByte)
{
    const std::vector<std::uint8_t> loneSurrogate = utf16File(u"[S]\r\nK=\xD800x\xDC00\r\n");
    std::vector<std::uint8_t> nul = {'[', 'S', ']', '\n', 'K', '=', 0, 'v', '\n'};
    const std::vector<std::uint8_t> invalidUtf8 = {'[', 'S',  ']',  '\n', 'K',
                                                   '=', 0xC3, 0x28, 0xFF, '\n'};
    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"CRLF with comments and blank lines",
         std::vector<std::uint8_t>({'[',  'S', ']', '\r', '\n', ';', ' ', 'c', '\r', '\n', '\r',
                                    '\n', ' ', 'K', ' ',  '=',  ' ', 'v', ' ', '\r', '\n'})},
        {"mixed line endings", {'a', '\r', 'b', '\n', 'c', '\r', '\n', '\n', '\r', 'd'}},
        {"UTF-8 with a byte-order mark", {0xEF, 0xBB, 0xBF, '[', 'S', ']', '\n'}},
        {"UTF-16LE", utf16File(u"; \u00fcber\r\n[Setting-CHS]\r\nItem1=\u5de6\u952e\r\n")},
        {"UTF-16LE with lone surrogates", loneSurrogate},
        {"NUL bytes", nul},
        {"invalid UTF-8", invalidUtf8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IniDocument::parse(c.bytes).serialize(), c.bytes);
    }
}

TEST(IniDocument, ReadsUtf16FilesAndKeepsThemUtf16)
{
    const std::vector<std::uint8_t> before =
        utf16File(u"[Setting-CHS]\r\nItem1=\u5de6\u952e\r\nItem2=\U0001F600\r\n");
    IniDocument document = IniDocument::parse(before);
    EXPECT_EQ(document.encoding(), IniEncoding::Utf16LeWithBom);
    EXPECT_EQ(document.readString("Setting-CHS", "Item1", ""), utf8(u8"左键"));
    EXPECT_EQ(document.readString("Setting-CHS", "Item2", ""), utf8(u8"😀"));

    ASSERT_TRUE(document.writeString("Setting-CHS", "Item1", utf8(u8"右键")).ok());
    ASSERT_TRUE(document.writeString("Setting-CHS", "Item3", "x").ok());
    EXPECT_EQ(document.serialize(),
              utf16File(u"[Setting-CHS]\r\nItem1=\u53f3\u952e\r\nItem2=\U0001F600\r\nItem3=x\r\n"));
}

TEST(IniDocument, KeepsTheEncodingItWasReadIn)
{
    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
        IniEncoding encoding;
        std::vector<std::uint8_t> afterWrite;
    } cases[] = {
        {"UTF-8",
         {'[', 'S', ']', '\n'},
         IniEncoding::Utf8,
         {'[', 'S', ']', '\n', 'K', '=', 'v', '\n'}},
        {"UTF-8 with a byte-order mark",
         {0xEF, 0xBB, 0xBF, '[', 'S', ']', '\n'},
         IniEncoding::Utf8WithBom,
         {0xEF, 0xBB, 0xBF, '[', 'S', ']', '\n', 'K', '=', 'v', '\n'}},
        {"UTF-16LE", utf16File(u"[S]\n"), IniEncoding::Utf16LeWithBom, utf16File(u"[S]\nK=v\n")},
        {"an odd last byte of UTF-16 is dropped",
         {0xFF, 0xFE, '[', 0, 'S', 0, ']', 0, '\n', 0, 'x'},
         IniEncoding::Utf16LeWithBom,
         utf16File(u"[S]\nK=v\n")},
        {"a new file is UTF-8 without a mark",
         {},
         IniEncoding::Utf8,
         {'[', 'S', ']', '\n', 'K', '=', 'v', '\n'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument document = IniDocument::parse(c.bytes);
        EXPECT_EQ(document.encoding(), c.encoding);
        ASSERT_TRUE(document.writeString("S", "K", "v").ok());
        EXPECT_EQ(document.serialize(), c.afterWrite);
    }

    IniDocument converted = IniDocument::parse(utf16File(u"[S]\r\nK=\u00e9\r\n"));
    converted.setEncoding(IniEncoding::Utf8);
    EXPECT_EQ(text(converted), utf8(u8"[S]\r\nK=é\r\n"));
}

} // namespace
} // namespace volantra
