#include "device/device_event.h"

namespace volantra {

EventReport::Bytes EventReport::of(DeviceEvent event)
{
    Bytes report{};
    report[kReportId] = kReportIdValue;
    report[kMarker] = kMarkerValue;
    report[kCode] = event.code;
    report[kValue] = event.value;
    return report;
}

std::optional<DeviceEvent> EventReport::parse(std::span<const std::uint8_t> report)
{
    if (report.size() <= kValue || report[kReportId] != kReportIdValue ||
        report[kMarker] != kMarkerValue)
        return std::nullopt;
    return DeviceEvent{report[kCode], report[kValue]};
}

} // namespace volantra
