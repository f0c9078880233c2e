#include "device/hid_report_descriptor.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

// Feeds arbitrary bytes to the report-descriptor parser, as a hostile or broken device could
// through HIDIOCGRDESC, and checks what any answer must satisfy.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace volantra;
    const std::span<const std::uint8_t> descriptor(data, size);
    const Result<std::vector<HidCollectionInfo>> result = parseReportDescriptor(descriptor);
    if (!result) {
        // A broken descriptor is the device's fault, never a different kind of error.
        if (result.error().kind != Error::Kind::InvalidInput || result.error().message.empty())
            std::abort();
        return 0;
    }
    // Each collection takes a Collection and an End Collection item: at least two bytes.
    if (result->size() > size / 2)
        std::abort();

    std::vector<std::uint8_t> extended(descriptor.begin(), descriptor.end());
    // An accepted descriptor has closed every collection, so one more End Collection is wrong.
    extended.push_back(0xC0);
    const Result<std::vector<HidCollectionInfo>> closedTwice = parseReportDescriptor(extended);
    if (closedTwice.ok() || closedTwice.error().kind != Error::Kind::InvalidInput)
        std::abort();
    // A trailing empty long item carries nothing and must change nothing.
    extended.back() = 0xFE;
    extended.push_back(0x00);
    extended.push_back(0xF0);
    const Result<std::vector<HidCollectionInfo>> withLongItem = parseReportDescriptor(extended);
    if (!withLongItem.ok() || *withLongItem != *result)
        std::abort();
    return 0;
}
