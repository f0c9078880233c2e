#include "device/hid_report_descriptor.h"

#include <algorithm>
#include <array>
#include <string>

namespace volantra {
namespace {

// Item layout and tags as the USB HID class defines them. A short item is one prefix
// byte (tag:4, type:2, size code:2) followed by 0, 1, 2 or 4 data bytes, little-endian.
constexpr std::uint8_t kLongItemPrefix = 0xFE; // then data size, long tag, data
constexpr std::size_t kLongItemHeaderSize = 3;

enum class ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

namespace MainTag {
constexpr std::uint8_t Input = 0x8;
constexpr std::uint8_t Output = 0x9;
constexpr std::uint8_t Collection = 0xA;
constexpr std::uint8_t Feature = 0xB;
constexpr std::uint8_t EndCollection = 0xC;
} // namespace MainTag

namespace GlobalTag {
constexpr std::uint8_t UsagePage = 0x0;
constexpr std::uint8_t ReportSize = 0x7;
constexpr std::uint8_t ReportId = 0x8;
constexpr std::uint8_t ReportCount = 0x9;
constexpr std::uint8_t Push = 0xA;
constexpr std::uint8_t Pop = 0xB;
} // namespace GlobalTag

namespace LocalTag {
constexpr std::uint8_t Usage = 0x0;
constexpr std::uint8_t UsageMinimum = 0x1;
constexpr std::uint8_t Delimiter = 0xA;
} // namespace LocalTag

constexpr std::uint32_t kMaxUsagePage = 0xFFFF;
constexpr std::uint32_t kMaxReportId = 0xFF;
// The report-id byte is always counted, so the payload may use one byte less.
constexpr std::uint64_t kMaxReportBits = (std::uint64_t{kMaxHidReportLength} - 1) * 8;

enum ReportKind : std::size_t { Input = 0, Output = 1, Feature = 2, kReportKindCount = 3 };
constexpr std::array<const char*, kReportKindCount> kReportKindNames = {"input", "output",
                                                                        "feature"};
constexpr std::size_t kReportIdCount = kMaxReportId + 1;

struct Item
{
    std::size_t offset = 0;
    ItemType type = ItemType::Reserved;
    std::uint8_t tag = 0;
    std::uint8_t dataSize = 0;
    std::uint32_t data = 0;
};

// Global items that change report lengths or collection usages. Logical and physical
// extents and units do not, so they are read past.
struct GlobalState
{
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0; // 0: the descriptor has not used report ids (yet)
};

// Local items since the last main item. Only the first usage matters: it names a collection.
struct LocalState
{
    bool hasUsage = false;
    bool usageHasPage = false; // a 4-byte usage carries its page in the high 16 bits
    std::uint32_t usage = 0;
    bool delimiterOpen = false;
    std::size_t delimiterOffset = 0;
};

// Bits per report (kind and id) inside the top-level collection being read. A fixed table
// plus the list of touched entries keeps each main item O(1) and each reset cheap.
class ReportSizes
{
public:
    // False when the report would grow past kMaxHidReportLength.
    bool add(ReportKind kind, std::uint8_t id, std::uint64_t bits)
    {
        const std::size_t index = kind * kReportIdCount + id;
        const std::uint64_t total = m_bits[index] + bits; // both bounded, cannot wrap
        if (total > kMaxReportBits)
            return false;
        if (!m_used[index]) {
            m_used[index] = true;
            m_touched.push_back(index);
        }
        m_bits[index] = static_cast<std::uint32_t>(total);
        m_present[kind] = true;
        m_numbered = m_numbered || id != 0;
        m_maxBits[kind] = std::max<std::uint32_t>(m_maxBits[kind], m_bits[index]);
        return true;
    }

    std::uint16_t length(ReportKind kind) const
    {
        if (!m_present[kind])
            return 0;
        return static_cast<std::uint16_t>((m_maxBits[kind] + 7) / 8 + 1);
    }

    bool numbered() const { return m_numbered; }

    void clear()
    {
        for (std::size_t index : m_touched) {
            m_bits[index] = 0;
            m_used[index] = false;
        }
        m_touched.clear();
        m_present = {};
        m_maxBits = {};
        m_numbered = false;
    }

private:
    std::array<std::uint32_t, kReportKindCount * kReportIdCount> m_bits{};
    std::array<bool, kReportKindCount * kReportIdCount> m_used{};
    std::vector<std::size_t> m_touched;
    std::array<bool, kReportKindCount> m_present{};
    std::array<std::uint32_t, kReportKindCount> m_maxBits{};
    bool m_numbered = false;
};

Error malformed(std::size_t offset, const std::string& what)
{
    return Error{Error::Kind::InvalidInput, "malformed HID report descriptor at byte offset " +
                                                std::to_string(offset) + ": " + what};
}

std::string hex(std::uint32_t value)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return "0x" + digits;
}

class DescriptorParser
{
public:
    explicit DescriptorParser(std::span<const std::uint8_t> descriptor) : m_bytes(descriptor) {}

    Result<std::vector<HidCollectionInfo>> run()
    {
        std::size_t pos = 0;
        while (pos < m_bytes.size()) {
            Result<Item> item = readItem(pos);
            if (!item)
                return item.error();
            if (Status status = apply(*item); !status)
                return status.error();
        }
        if (!m_openCollections.empty())
            return malformed(m_openCollections.back(), "collection is never closed");
        if (m_local.delimiterOpen)
            return malformed(m_local.delimiterOffset, "delimiter set is never closed");
        return std::move(m_collections);
    }

private:
    // Reads the item at `pos` and moves `pos` past it. Long items come back as Reserved:
    // no long item tags are defined, so they are skipped.
    Result<Item> readItem(std::size_t& pos) const
    {
        Item item;
        item.offset = pos;
        const std::size_t left = m_bytes.size() - pos;
        const std::uint8_t prefix = m_bytes[pos];
        if (prefix == kLongItemPrefix) {
            if (left < kLongItemHeaderSize)
                return malformed(pos, "long item header is cut off");
            const std::size_t dataSize = m_bytes[pos + 1];
            if (left - kLongItemHeaderSize < dataSize)
                return malformed(pos, "long item needs " + std::to_string(dataSize) +
                                          " data bytes, only " +
                                          std::to_string(left - kLongItemHeaderSize) + " left");
            pos += kLongItemHeaderSize + dataSize;
            return item;
        }

        const std::uint8_t sizeCode = prefix & 0x03;
        item.dataSize = sizeCode == 3 ? 4 : sizeCode;
        if (left - 1 < item.dataSize)
            return malformed(pos, "item " + hex(prefix) + " needs " +
                                      std::to_string(item.dataSize) + " data bytes, only " +
                                      std::to_string(left - 1) + " left");
        item.type = static_cast<ItemType>((prefix >> 2) & 0x03);
        item.tag = prefix >> 4;
        for (std::uint8_t i = 0; i < item.dataSize; ++i)
            item.data |= std::uint32_t{m_bytes[pos + 1 + i]} << (8 * i);
        pos += 1 + item.dataSize;
        return item;
    }

    Status apply(const Item& item)
    {
        switch (item.type) {
        case ItemType::Main:
            return applyMain(item);
        case ItemType::Global:
            return applyGlobal(item);
        case ItemType::Local:
            return applyLocal(item);
        case ItemType::Reserved:
            break;
        }
        return {};
    }

    Status applyMain(const Item& item)
    {
        if (m_local.delimiterOpen)
            return malformed(item.offset, "main item inside the delimiter set opened at byte " +
                                              std::to_string(m_local.delimiterOffset));
        Status status;
        switch (item.tag) {
        case MainTag::Input:
            status = addReport(ReportKind::Input, item.offset);
            break;
        case MainTag::Output:
            status = addReport(ReportKind::Output, item.offset);
            break;
        case MainTag::Feature:
            status = addReport(ReportKind::Feature, item.offset);
            break;
        case MainTag::Collection:
            status = openCollection(item.offset);
            break;
        case MainTag::EndCollection:
            status = closeCollection(item.offset);
            break;
        default: // reserved main item tags carry no reports
            break;
        }
        m_local = {};
        return status;
    }

    Status addReport(ReportKind kind, std::size_t offset)
    {
        // Outside any collection a report belongs to no interface: nobody could read it.
        if (m_openCollections.empty())
            return {};
        const std::uint64_t bits = std::uint64_t{m_global.reportSize} * m_global.reportCount;
        if (!m_reports.add(kind, m_global.reportId, bits))
            return malformed(offset, std::string(kReportKindNames[kind]) + " report " +
                                         std::to_string(m_global.reportId) + " grows past " +
                                         std::to_string(kMaxHidReportLength) + " bytes");
        return {};
    }

    Status openCollection(std::size_t offset)
    {
        if (m_openCollections.size() == kMaxHidCollectionDepth)
            return malformed(offset, "collections nested deeper than " +
                                         std::to_string(kMaxHidCollectionDepth));
        if (m_openCollections.empty()) {
            // The usage page in force at the main item applies, even when it was set after
            // the usage: devices do that, and HID stacks accept it.
            m_current = {};
            m_current.usagePage = static_cast<std::uint16_t>(
                m_local.usageHasPage ? m_local.usage >> 16 : m_global.usagePage);
            m_current.usage = static_cast<std::uint16_t>(m_local.usage & 0xFFFF);
            m_reports.clear();
        }
        m_openCollections.push_back(offset);
        return {};
    }

    Status closeCollection(std::size_t offset)
    {
        if (m_openCollections.empty())
            return malformed(offset, "End Collection without an open collection");
        m_openCollections.pop_back();
        if (m_openCollections.empty()) {
            m_current.inputReportLength = m_reports.length(ReportKind::Input);
            m_current.outputReportLength = m_reports.length(ReportKind::Output);
            m_current.featureReportLength = m_reports.length(ReportKind::Feature);
            m_current.numberedReports = m_reports.numbered();
            m_collections.push_back(m_current);
        }
        return {};
    }

    Status applyGlobal(const Item& item)
    {
        switch (item.tag) {
        case GlobalTag::UsagePage:
            if (item.data > kMaxUsagePage)
                return malformed(item.offset,
                                 "usage page " + hex(item.data) + " does not fit in 16 bits");
            m_global.usagePage = item.data;
            break;
        case GlobalTag::ReportSize:
            m_global.reportSize = item.data;
            break;
        case GlobalTag::ReportCount:
            m_global.reportCount = item.data;
            break;
        case GlobalTag::ReportId:
            if (item.data == 0)
                return malformed(item.offset, "report id 0 is reserved");
            if (item.data > kMaxReportId)
                return malformed(item.offset,
                                 "report id " + std::to_string(item.data) + " is above 255");
            m_global.reportId = static_cast<std::uint8_t>(item.data);
            break;
        case GlobalTag::Push:
            if (m_globalStack.size() == kMaxHidGlobalStackDepth)
                return malformed(item.offset, "more than " +
                                                  std::to_string(kMaxHidGlobalStackDepth) +
                                                  " nested Push items");
            m_globalStack.push_back(m_global);
            break;
        case GlobalTag::Pop:
            if (m_globalStack.empty())
                return malformed(item.offset, "Pop without a matching Push");
            m_global = m_globalStack.back();
            m_globalStack.pop_back();
            break;
        default:
            break;
        }
        return {};
    }

    Status applyLocal(const Item& item)
    {
        switch (item.tag) {
        case LocalTag::Usage:
        case LocalTag::UsageMinimum:
            if (!m_local.hasUsage) {
                m_local.hasUsage = true;
                m_local.usageHasPage = item.dataSize == 4;
                m_local.usage = item.data;
            }
            break;
        case LocalTag::Delimiter:
            if (item.data != 0) {
                if (m_local.delimiterOpen)
                    return malformed(item.offset, "delimiter set inside another one");
                m_local.delimiterOpen = true;
                m_local.delimiterOffset = item.offset;
            } else {
                if (!m_local.delimiterOpen)
                    return malformed(item.offset, "delimiter close without an open set");
                m_local.delimiterOpen = false;
            }
            break;
        default:
            break;
        }
        return {};
    }

    std::span<const std::uint8_t> m_bytes;
    GlobalState m_global;
    LocalState m_local;
    std::vector<GlobalState> m_globalStack;
    std::vector<std::size_t> m_openCollections; // byte offsets of the Collection items
    HidCollectionInfo m_current;
    ReportSizes m_reports;
    std::vector<HidCollectionInfo> m_collections;
};

} // namespace

Result<std::vector<HidCollectionInfo>>
parseReportDescriptor(std::span<const std::uint8_t> descriptor)
{
    return DescriptorParser(descriptor).run();
}

} // namespace volantra
