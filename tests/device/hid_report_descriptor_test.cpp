#include "common/hex.h"
#include "device/hid_report_descriptor.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace volantra {

void PrintTo(const HidCollectionInfo& info, std::ostream* os)
{
    *os << "{page 0x" << std::hex << info.usagePage << " usage 0x" << info.usage << std::dec
        << " in " << info.inputReportLength << " out " << info.outputReportLength << " feature "
        << info.featureReportLength << (info.numberedReports ? " numbered" : "") << "}";
}

namespace {

// The mouse's own two vendor collections, as its firmware reports them.
constexpr const char* kCommandCollection = "06 00 FF 0A 00 FF A1 01 15 00 26 FF 00 75 08 09 01 "
                                           "95 08 B1 02 09 02 95 40 91 02 09 03 95 40 81 02 C0";
constexpr const char* kEventCollection =
    "06 01 FF 09 01 A1 01 85 06 09 01 15 00 26 FF 00 75 08 95 07 81 02 C0";

// A plain three-button boot mouse: buttons, padding, X and Y in a physical collection.
constexpr const char* kBootMouse = "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 "
                                   "95 03 75 01 81 02 95 01 75 05 81 01 05 01 09 30 09 31 15 81 "
                                   "25 7F 75 08 95 02 81 06 C0 C0";

// A boot keyboard using report id 1: modifiers, reserved byte, six key codes; five LEDs.
constexpr const char* kKeyboardWithId =
    "05 01 09 06 A1 01 85 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01 "
    "95 05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 25 65 05 07 19 00 "
    "29 65 81 00 C0";
// Consumer control (report id 2, one 16-bit usage) and system control (id 3, three bits).
constexpr const char* kConsumerControl =
    "05 0C 09 01 A1 01 85 02 15 00 26 FF 03 19 00 2A FF 03 75 10 95 01 81 00 C0";
constexpr const char* kSystemControl =
    "05 01 09 80 A1 01 85 03 19 81 29 83 15 00 25 01 75 01 95 03 81 02 95 05 81 01 C0";

constexpr const char* kVendorCollection = "06 00 FF 09 01 A1 01 ";

std::string repeat(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

std::vector<std::uint8_t> bytes(const std::string& hex)
{
    std::optional<std::vector<std::uint8_t>> parsed = parseHex(hex);
    EXPECT_TRUE(parsed.has_value()) << "bad hex in test: " << hex;
    return parsed.value_or(std::vector<std::uint8_t>{});
}

struct ValidCase
{
    const char* name;
    std::string descriptor;
    std::vector<HidCollectionInfo> expected;
};

std::vector<ValidCase> validCases()
{
    const std::string vendor = kVendorCollection;
    return {
        {"Empty", "", {}},
        {"BootMouse", kBootMouse, {{0x0001, 0x0002, 4, 0, 0}}},
        {"KeyboardWithReportId", kKeyboardWithId, {{0x0001, 0x0006, 9, 2, 0, true}}},
        {"KeyboardConsumerSystemCombo",
         std::string(kKeyboardWithId) + kConsumerControl + kSystemControl,
         {{0x0001, 0x0006, 9, 2, 0, true},
          {0x000C, 0x0001, 3, 0, 0, true},
          {0x0001, 0x0080, 2, 0, 0, true}}},
        {"MouseCommandCollection", kCommandCollection, {{0xFF00, 0xFF00, 65, 65, 9}}},
        {"MouseEventCollection", kEventCollection, {{0xFF01, 0x0001, 8, 0, 0, true}}},
        // The report id is a global item: id 6 stays in force for the second collection.
        {"MouseCollectionsInOneNode",
         std::string(kEventCollection) + kCommandCollection,
         {{0xFF01, 0x0001, 8, 0, 0, true}, {0xFF00, 0xFF00, 65, 65, 9, true}}},
        // Ids 1 and 2 are features of 32 and 8 bytes; id 3 is a 4-byte input.
        {"LongestReportOfEachKindWins",
         vendor + "75 08 85 01 95 20 B1 02 85 02 95 08 B1 02 85 03 95 04 81 02 C0",
         {{0xFF00, 0x0001, 5, 0, 33, true}}},
        // Two physical collections add to the same report id 2: 2 + 3 bytes.
        {"NestedCollectionsAddToTopLevel",
         "05 01 09 02 A1 01 85 02 A1 00 75 08 95 02 81 02 C0 A1 00 95 03 81 02 C0 C0",
         {{0x0001, 0x0002, 6, 0, 0, true}}},
        {"MainItemsOutsideCollectionsIgnored",
         "75 08 95 04 81 02 " + vendor + "95 01 81 02 C0 91 02",
         {{0xFF00, 0x0001, 2, 0, 0}}},
        // Inside the push: one 16-bit field; after the pop: four bytes again.
        {"PopRestoresReportSizeAndCount",
         vendor + "75 08 95 04 A4 75 10 95 01 81 02 B4 81 02 C0",
         {{0xFF00, 0x0001, 7, 0, 0}}},
        {"PopRestoresUsagePage",
         "05 01 A4 06 00 FF 09 01 A1 01 C0 B4 09 02 A1 01 C0",
         {{0xFF00, 0x0001, 0, 0, 0}, {0x0001, 0x0002, 0, 0, 0}}},
        {"FourByteUsageCarriesPage", "05 01 0B 01 00 00 FF A1 01 C0", {{0xFF00, 0x0001, 0, 0, 0}}},
        {"UsagePageAfterUsageApplies", "09 01 06 01 FF A1 01 C0", {{0xFF01, 0x0001, 0, 0, 0}}},
        {"UsageMinimumNamesCollection",
         "05 0C 19 01 2A 9C 02 A1 01 C0",
         {{0x000C, 0x0001, 0, 0, 0}}},
        {"FirstUsageNamesCollection", "05 01 09 02 09 01 A1 01 C0", {{0x0001, 0x0002, 0, 0, 0}}},
        {"UsagesDoNotLeakPastMainItem",
         "05 01 09 02 A1 01 C0 A1 01 C0",
         {{0x0001, 0x0002, 0, 0, 0}, {0x0001, 0x0000, 0, 0, 0}}},
        {"FirstUsageOfDelimiterSet",
         "05 01 A9 01 09 02 09 03 A9 00 A1 01 C0",
         {{0x0001, 0x0002, 0, 0, 0}}},
        {"LongItemsSkipped",
         vendor + "FE 03 F1 AA BB CC FE 00 F1 75 08 95 02 81 02 C0",
         {{0xFF00, 0x0001, 3, 0, 0}}},
        {"ReservedItemTypeSkipped",
         vendor + "2D 81 75 08 95 02 81 02 C0",
         {{0xFF00, 0x0001, 3, 0, 0}}},
        {"FourByteSizeAndCount",
         vendor + "77 08 00 00 00 97 10 00 00 00 17 00 00 00 80 27 FF FF FF 7F 81 02 C0",
         {{0xFF00, 0x0001, 17, 0, 0}}},
        // 0x94 is a Report Count without data bytes, so a count of zero.
        {"ZeroByteItemData", vendor + "75 08 95 02 81 02 94 81 02 C0", {{0xFF00, 0x0001, 3, 0, 0}}},
        {"BitsRoundUpToBytes", vendor + "75 01 95 09 B1 02 C0", {{0xFF00, 0x0001, 0, 0, 3}}},
        {"LongestAllowedReport",
         vendor + "75 08 96 FE FF B1 02 C0",
         {{0xFF00, 0x0001, 0, 0, 65535}}},
        // 40000 bytes each under two ids: the limit is per report, not per collection.
        {"ReportIdsDoNotAddUp",
         vendor + "75 08 96 40 9C 85 01 81 02 85 02 81 02 C0",
         {{0xFF00, 0x0001, 40001, 0, 0, true}}},
        {"NestingAtTheLimit", repeat("A1 00 ", 32) + repeat("C0 ", 32), {{0, 0, 0, 0, 0}}},
        {"PushAtTheLimit",
         repeat("A4 ", 16) + "06 00 FF 09 01 A1 01 C0" + repeat(" B4", 16),
         {{0xFF00, 0x0001, 0, 0, 0}}},
    };
}

class ValidDescriptor : public testing::TestWithParam<ValidCase>
{
};

TEST_P(ValidDescriptor, GivesCollections)
{
    const ValidCase& c = GetParam();
    const std::vector<std::uint8_t> descriptor = bytes(c.descriptor);
    Result<std::vector<HidCollectionInfo>> result = parseReportDescriptor(descriptor);
    ASSERT_TRUE(result.ok()) << result.error().message;
    EXPECT_EQ(*result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(HidReportDescriptor, ValidDescriptor, testing::ValuesIn(validCases()),
                         [](const testing::TestParamInfo<ValidCase>& info) {
                             return std::string(info.param.name);
                         });

struct MalformedCase
{
    const char* name;
    std::string descriptor;
    std::size_t offset;
    const char* reason;
};

std::vector<MalformedCase> malformedCases()
{
    const std::string vendor = kVendorCollection;
    return {
        {"TruncatedTwoByteItem", "06 00", 0, "needs 2 data bytes, only 1 left"},
        {"TruncatedOneByteItem", "05 01 09", 2, "needs 1 data bytes, only 0 left"},
        {"TruncatedFourByteItem", "05 01 0B 01 00 00", 2, "needs 4 data bytes, only 3 left"},
        {"TruncatedLongItemHeader", "FE 02", 0, "long item header is cut off"},
        {"TruncatedLongItemData", "05 01 FE 04 10 AA", 2, "needs 4 data bytes, only 1 left"},
        {"HugeReportCount", vendor + "75 08 97 FF FF FF FF 81 02 C0", 14,
         "input report 0 grows past 65535 bytes"},
        {"HugeSizeTimesHugeCount", vendor + "77 FF FF FF FF 97 FF FF FF FF 91 02 C0", 17,
         "output report 0 grows past 65535 bytes"},
        {"ReportOneByteTooLong", vendor + "75 08 96 FF FF B1 02 C0", 12,
         "feature report 0 grows past 65535 bytes"},
        {"ItemsAddUpPastLimit", vendor + "85 07 75 08 96 00 80 81 02 81 02 C0", 16,
         "input report 7 grows past 65535 bytes"},
        {"NestingTooDeep", repeat("A1 00 ", 33), 64, "collections nested deeper than 32"},
        {"PushStackOverflow", repeat("A4 ", 17), 16, "more than 16 nested Push items"},
        {"PopWithoutPush", "05 01 B4", 2, "Pop without a matching Push"},
        {"PopAfterBalancedPushPop", "A4 B4 B4", 2, "Pop without a matching Push"},
        {"EndCollectionWithoutCollection", "05 01 09 02 A1 01 C0 C0", 7,
         "End Collection without an open collection"},
        {"CollectionNeverClosed", "05 01 09 02 A1 01 A1 00 C0", 4, "collection is never closed"},
        {"ReportIdZero", "05 01 09 02 A1 01 85 00 C0", 6, "report id 0 is reserved"},
        {"ReportIdAbove255", "86 00 01", 0, "report id 256 is above 255"},
        {"UsagePageTooWide", "07 00 00 01 00", 0, "usage page 0x10000 does not fit in 16 bits"},
        {"NestedDelimiter", "A9 01 A9 01", 2, "delimiter set inside another one"},
        {"DelimiterCloseWithoutOpen", "A9 00", 0, "delimiter close without an open set"},
        {"MainItemInsideDelimiter", "09 01 A9 01 09 02 A1 01 C0", 6,
         "main item inside the delimiter set opened at byte 2"},
        {"DelimiterNeverClosed", "A9 01 09 01", 0, "delimiter set is never closed"},
    };
}

class MalformedDescriptor : public testing::TestWithParam<MalformedCase>
{
};

TEST_P(MalformedDescriptor, GivesInvalidInputWithOffset)
{
    const MalformedCase& c = GetParam();
    const std::vector<std::uint8_t> descriptor = bytes(c.descriptor);
    Result<std::vector<HidCollectionInfo>> result = parseReportDescriptor(descriptor);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, Error::Kind::InvalidInput);
    const std::string where = "at byte offset " + std::to_string(c.offset) + ": ";
    EXPECT_NE(result.error().message.find(where), std::string::npos) << result.error().message;
    EXPECT_NE(result.error().message.find(c.reason), std::string::npos) << result.error().message;
}

INSTANTIATE_TEST_SUITE_P(HidReportDescriptor, MalformedDescriptor,
                         testing::ValuesIn(malformedCases()),
                         [](const testing::TestParamInfo<MalformedCase>& info) {
                             return std::string(info.param.name);
                         });

// A descriptor cut short (a short read of the sysfs file) must never pass for a shorter
// valid one: before the collection opens it describes nothing, after that it is an error.
TEST(HidReportDescriptor, EveryTruncationOfCommandCollectionIsRejected)
{
    const std::vector<std::uint8_t> full = bytes(kCommandCollection);
    for (std::size_t length = 1; length < full.size(); ++length) {
        const std::span<const std::uint8_t> cut(full.data(), length);
        Result<std::vector<HidCollectionInfo>> result = parseReportDescriptor(cut);
        if (result.ok())
            EXPECT_TRUE(result->empty()) << "length " << length;
        else
            EXPECT_EQ(result.error().kind, Error::Kind::InvalidInput) << "length " << length;
        EXPECT_FALSE(length > 6 && result.ok()) << "length " << length;
    }
}

} // namespace
} // namespace volantra
