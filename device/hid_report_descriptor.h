#pragma once

#include "common/result.h"

#include <cstdint>
#include <span>
#include <vector>

namespace volantra {

// What the rest of the program needs to know about one top-level collection of a hidraw
// node: which interface it is (usage page and usage) and how long its reports are.
// Lengths are in bytes and count the report-id byte even when the descriptor uses no
// report ids, so they match what HID stacks hand to applications (64 output bytes: 65).
struct HidCollectionInfo
{
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t inputReportLength = 0; // 0 when the collection has no input report
    std::uint16_t outputReportLength = 0;
    std::uint16_t featureReportLength = 0;
    // Whether the collection's reports start with a report id byte on the wire.
    bool numberedReports = false;

    friend bool operator==(const HidCollectionInfo&, const HidCollectionInfo&) = default;
};

// Limits that keep a hostile or broken descriptor from costing unbounded memory or time.
inline constexpr std::size_t kMaxHidCollectionDepth = 32;
inline constexpr std::size_t kMaxHidGlobalStackDepth = 16;
// Report lengths are 16-bit and include the report-id byte.
inline constexpr std::uint32_t kMaxHidReportLength = 65535;

// Each top-level collection of a HID report descriptor, in descriptor order. Main items
// inside nested collections count toward their top-level collection; main items outside
// any collection belong to no interface and are ignored. For each kind of report, the
// length is that of the longest report of that kind in the collection. A malformed
// descriptor gives Error::Kind::InvalidInput naming the byte offset of the bad item.
Result<std::vector<HidCollectionInfo>>
parseReportDescriptor(std::span<const std::uint8_t> descriptor);

} // namespace volantra
