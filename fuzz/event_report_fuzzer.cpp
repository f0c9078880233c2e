#include "device/device_event.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

// Feeds arbitrary input reports, as read from the event interface, to the event decoder.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace volantra;
    const std::span<const std::uint8_t> report(data, size);
    const std::optional<DeviceEvent> event = EventReport::parse(report);
    if (!event)
        return 0;
    // An event can only come from a report long enough to hold it, and carries its bytes.
    if (size < 4 || event->code != report[2] || event->value != report[3])
        std::abort();
    return 0;
}
