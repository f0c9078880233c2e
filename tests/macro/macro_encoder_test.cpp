#include "common/hex.h"
#include "macro/macro_encoder.h"
#include "model/ini_document.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace volantra {
namespace {

// One macro's section of record.ini, as the editor writes it.
std::string section(const std::string& name, int recordDelays, int loopEnabled,
                    const std::string& loopTimes, const std::vector<std::string>& items)
{
    std::string text = "[" + name + "]\n";
    text += "DelayTimeSelStatus=" + std::to_string(recordDelays) + "\n";
    text += "LoopTimeSelStatus=" + std::to_string(loopEnabled) + "\n";
    text += "MacroLoopTimes=" + loopTimes + "\n";
    text += "ItemCount=" + std::to_string(items.size()) + "\n";
    for (std::size_t i = 0; i < items.size(); ++i)
        text += "Item" + std::to_string(i) + "=" + items[i] + "\n";
    return text;
}

// A whole image from the hex of its start; the rest of the 128 bytes is zero.
DeviceImage imageStartingWith(const std::string& hex)
{
    const std::optional<std::vector<std::uint8_t>> bytes = parseHex(hex);
    EXPECT_TRUE(bytes.has_value()) << hex;
    DeviceImage image{};
    std::copy(bytes->begin(), bytes->end(), image.begin());
    return image;
}

struct Case
{
    const char* what;
    int recordDelays;
    int loopEnabled;
    const char* loopTimes;
    std::vector<std::string> items;
    const char* expected; // the image's first bytes; the rest is zero
};

const Case kCases[] = {
    {"press, 120 ms, release with recorded delays",
     1,
     0,
     "1",
     {"A   Dn", "120 ms", "A   Up"},
     "00 01 0c 04 80 04"},
    {"without recorded delays every event waits 50 ms",
     0,
     0,
     "1",
     {"A   Dn", "A   Up"},
     "00 01 05 04 85 04"},
    {"a delay line counts even without the option",
     0,
     0,
     "1",
     {"A   Dn", "200 ms", "A   Up"},
     "00 01 14 04 85 04"},
    {"any delay option other than 0 is on", 2, 0, "1", {"A   Dn", "A   Up"}, "00 01 00 04 80 04"},
    {"1270 ms: one record, field 127", 1, 0, "1", {"A   Dn", "1270 ms"}, "00 01 7f 04"},
    {"1271 ms: remainder 71, then 12 hundreds",
     1,
     0,
     "1",
     {"A   Dn", "1271 ms"},
     "00 01 47 04 0c 03"},
    {"25500 ms: remainder 0, then 255 hundreds",
     1,
     0,
     "1",
     {"A   Dn", "25500 ms"},
     "00 01 00 04 ff 03"},
    {"25501 ms: remainder 1, extension, 255 hundreds big-endian",
     1,
     0,
     "1",
     {"A   Dn", "25501 ms"},
     "00 01 01 04 00 03 00 ff"},
    {"6553500 ms, the longest pause",
     1,
     0,
     "1",
     {"A   Dn", "6553500 ms"},
     "00 01 00 04 00 03 ff ff"},
    {"a longer pause is clamped, not wrapped to its low 16 bits",
     1,
     0,
     "1",
     {"A   Dn", "6553600 ms"},
     "00 01 00 04 00 03 ff ff"},
    {"a pause far beyond any integer is clamped too",
     1,
     0,
     "1",
     {"A   Dn", "99999999999999999999999 ms"},
     "00 01 00 04 00 03 ff ff"},
    {"a negative pause is none", 1, 0, "1", {"A   Dn", "-500 ms"}, "00 01 00 04"},
    {"a release keeps its bit in the long forms",
     1,
     0,
     "1",
     {"A   Up", "1271 ms"},
     "00 01 c7 04 0c 03"},
    {"the last item waits nothing with recorded delays", 1, 0, "1", {"B   Dn"}, "00 01 00 05"},
    {"the last item waits 50 ms without", 0, 0, "1", {"B   Dn"}, "00 01 05 05"},
    {"a key line after an event is no pause", 1, 0, "1", {"A   Dn", "B   Dn"}, "00 01 00 04 00 05"},
    {"a delay line first makes nothing", 1, 0, "1", {"300 ms", "A   Dn"}, "00 01 00 04"},
    {"a name the table lacks is code 0", 1, 0, "1", {"Ä   Dn", "a   Up"}, "00 01 00 00 80 00"},
    {"macros cannot play Application", 1, 0, "1", {"Application   Dn"}, "00 01 00 00"},
    {"modifiers and mouse buttons",
     1,
     0,
     "1",
     {"Right Windows   Dn", "L-Button   Dn", "M-Button   Up", "R-Button   Up"},
     "00 01 00 e7 00 f0 80 f2 80 f1"},
    {"loop count with the loop option", 1, 1, "300", {"A   Dn"}, "01 2c 00 04"},
    {"loop option off plays once whatever the count", 1, 0, "300", {"A   Dn"}, "00 01 00 04"},
    {"loop count 0 plays once", 1, 1, "0", {"A   Dn"}, "00 01 00 04"},
    {"loop count above 65535 plays once", 1, 1, "70000", {"A   Dn"}, "00 01 00 04"},
    {"loop count 65535", 1, 1, "65535", {"A   Dn"}, "ff ff 00 04"},
    {"no items: all zero, loop count included", 1, 1, "5", {}, ""},
};

TEST(MacroEncoder, EncodesTheItemsOfOneSection)
{
    for (const Case& c : kCases) {
        const IniDocument record = IniDocument::parse(
            section("Macro_1", c.recordDelays, c.loopEnabled, c.loopTimes, c.items));
        const EncodedMacro encoded = encodeMacroSection(record, "Macro_1");
        EXPECT_EQ(hexSpaced(encoded.image), hexSpaced(imageStartingWith(c.expected))) << c.what;
        EXPECT_FALSE(encoded.cut) << c.what;
    }
}

TEST(MacroEncoder, ItemCountZeroIgnoresTheItemsThere)
{
    const IniDocument record = IniDocument::parse(
        "[M]\nDelayTimeSelStatus=1\nLoopTimeSelStatus=1\nMacroLoopTimes=3\nItemCount=0\n"
        "Item0=A   Dn\n");
    EXPECT_EQ(hexPacked(encodeMacroSection(record, "M").image), std::string(256, '0'));
}

TEST(MacroEncoder, ItemsBeyondItemCountAreNotPlayedNorReadAsPauses)
{
    // Item1 lies beyond the count: the press waits as the last item does.
    const IniDocument record = IniDocument::parse(
        "[M]\nDelayTimeSelStatus=1\nItemCount=1\nItem0=A   Dn\nItem1=900 ms\nItem2=B   Dn\n");
    EXPECT_EQ(hexSpaced(encodeMacroSection(record, "M").image),
              hexSpaced(imageStartingWith("00 01 00 04")));
}

TEST(MacroEncoder, AHugeItemCountCostsOnlyTheItemsThere)
{
    const IniDocument record =
        IniDocument::parse("[M]\nDelayTimeSelStatus=1\nItemCount=2147483647\nItem0=A   Dn\n"
                           "Item2147483646=B   Up\n");
    EXPECT_EQ(hexSpaced(encodeMacroSection(record, "M").image),
              hexSpaced(imageStartingWith("00 01 00 04 80 05")));
}

// n presses of A, each followed by `delay` ms.
std::vector<std::string> presses(std::size_t n, const std::string& delay)
{
    std::vector<std::string> items;
    for (std::size_t i = 0; i < n; ++i) {
        items.push_back("A   Dn");
        items.push_back(delay + " ms");
    }
    return items;
}

std::string repeated(const std::string& hex, std::size_t n)
{
    std::string text;
    for (std::size_t i = 0; i < n; ++i)
        text += hex;
    return text;
}

struct CutCase
{
    const char* what;
    std::vector<std::string> items;
    const char* expected; // the whole image
    bool cut;
};

TEST(MacroEncoder, WritesOnlyEventsThatFitWhole)
{
    std::vector<std::string> longLast = presses(62, "10");
    longLast.push_back("B   Dn");
    longLast.push_back("1300 ms"); // two records, only two bytes left
    longLast.push_back("C   Dn");  // would fit, but must not follow a missing event
    std::vector<std::string> longest = presses(61, "10");
    longest.push_back("B   Dn");
    longest.push_back("30000 ms"); // three records, four bytes left

    const std::string full = "0001" + repeated("0104", 63);
    const std::string cutAfter62 = "0001" + repeated("0104", 62) + "0000";
    const std::string cutAfter61 = "0001" + repeated("0104", 61) + "00000000";
    const CutCase cases[] = {
        {"63 one-record events fill the image exactly", presses(63, "10"), full.c_str(), false},
        {"the 64th event is left out", presses(64, "10"), full.c_str(), true},
        {"a two-record event with two bytes left, and all after it", longLast, cutAfter62.c_str(),
         true},
        {"a three-record event with four bytes left", longest, cutAfter61.c_str(), true},
    };
    for (const CutCase& c : cases) {
        const IniDocument record = IniDocument::parse(section("Long", 1, 0, "1", c.items));
        const EncodedMacro encoded = encodeMacroSection(record, "Long");
        EXPECT_EQ(hexPacked(encoded.image), c.expected) << c.what;
        EXPECT_EQ(encoded.cut, c.cut) << c.what;
    }
}

TEST(MacroEncoder, EncodeAllNamesTheMacrosThatWereCut)
{
    const IniDocument record = IniDocument::parse(section("Short", 1, 0, "1", {"A   Dn"}) +
                                                  section("Long", 1, 0, "1", presses(64, "10")));
    const MacroImages images = encodeAll(record);
    EXPECT_EQ(images.cutMacros, std::vector<std::string>{"Long"});
    EXPECT_EQ(hexSpaced(images.images[0]), hexSpaced(imageStartingWith("00 01 00 04")));
}

TEST(MacroEncoder, FillsTheSlotsInFileOrderAndOnlyTwelve)
{
    // Thirteen macros, the k-th pressing the key with usage 4 + k.
    std::string text;
    for (int k = 0; k < 13; ++k)
        text += section("M" + std::to_string(k), 1, 0, "1",
                        {std::string(1, static_cast<char>('A' + k)) + "   Dn"});
    const MacroImages images = encodeAll(IniDocument::parse(text));
    ASSERT_EQ(images.images.size(), 12u);
    for (std::size_t k = 0; k < 12; ++k) {
        const std::uint8_t usage = static_cast<std::uint8_t>(4 + k);
        EXPECT_EQ(hexSpaced(images.images[k]),
                  hexSpaced(imageStartingWith("000100" + hexPacked({&usage, 1}))))
            << "slot " << k + 1;
    }
    EXPECT_TRUE(images.cutMacros.empty());
}

TEST(MacroEncoder, SlotsWithoutAMacroAreZero)
{
    const std::string zero(256, '0');
    const std::string cases[] = {
        "",                                     // no record.ini, or an empty one
        "; nothing but a comment\n",            // no sections
        section("Only", 1, 1, "9", {"A   Dn"}), // one macro: eleven empty slots
    };
    for (const std::string& text : cases) {
        const MacroImages images = encodeAll(IniDocument::parse(text));
        for (std::size_t slot = 1; slot < kMacroSlotCount; ++slot)
            EXPECT_EQ(hexPacked(images.images[slot]), zero) << text << " slot " << slot + 1;
    }
    EXPECT_EQ(hexPacked(encodeAll(IniDocument::parse(cases[0])).images[0]), zero);
}

TEST(MacroEncoder, ReadsEveryNameHoweverLongTheList)
{
    // Twelve names of 30 characters make a name list far longer than 255 characters.
    std::string text;
    for (int k = 0; k < 12; ++k)
        text += section(std::string(28, 'x') + (k < 10 ? "0" : "") + std::to_string(k), 1, 0, "1",
                        {"A   Dn"});
    const MacroImages images = encodeAll(IniDocument::parse(text));
    EXPECT_EQ(hexSpaced(images.images[11]), hexSpaced(imageStartingWith("00 01 00 04")));
}

TEST(MacroEncoder, MacroKeyCodeFollowsTheKeyTableButApplication)
{
    const struct
    {
        const char* name;
        std::uint8_t code;
    } cases[] = {{"A", 0x04},           {"Num Enter", 0x58}, {"Ctrl", 0xE0}, {"R-Button", 0xF1},
                 {"Application", 0x00}, {"a", 0x00},         {"A ", 0x00},   {"", 0x00}};
    for (const auto& c : cases)
        EXPECT_EQ(macroKeyCode(c.name), c.code) << c.name;
}

TEST(MacroEncoder, CountsTheRecordsEachEventTakes)
{
    const struct
    {
        std::int64_t delay;
        std::size_t records;
    } cases[] = {{0, 1},     {1270, 1},    {1271, 2},        {25500, 2},
                 {25501, 3}, {6553500, 3}, {99999999999, 3}, {-5, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(eventRecordCount(c.delay), c.records) << c.delay;
}

TEST(MacroEncoder, CountsTheRecordsOfAMacroAsItWritesThem)
{
    const struct
    {
        const char* what;
        bool recordDelays;
        std::vector<std::string> items;
        std::size_t records;
    } cases[] = {
        {"one record per short event", true, {"A   Dn", "120 ms", "A   Up"}, 2},
        {"long pauses take two and three",
         true,
         {"A   Dn", "1300 ms", "B   Dn", "30000 ms", "A   Up"},
         6},
        {"delay lines count without the delay option", false, {"A   Dn", "30000 ms", "A   Up"}, 4},
        {"lines that are no event take nothing", true, {"900 ms", "junk", "A   Dn"}, 1},
        {"nothing", true, {}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(macroRecordCount(c.items, c.recordDelays), c.records) << c.what;
        // What the encoder wrote must agree, whenever it fits.
        MacroSource source;
        source.recordDelays = c.recordDelays;
        source.items = c.items;
        const DeviceImage image = encodeMacro(source).image;
        std::size_t written = 0;
        for (std::size_t at = MacroEncoder::kFirstRecordOffset; at < image.size(); at += 2)
            written += image[at] != 0 || image[at + 1] != 0 ? 1 : 0;
        EXPECT_EQ(written, c.records) << c.what;
    }
    EXPECT_EQ(kMacroRecordCapacity, 63u);
}

} // namespace
} // namespace volantra
