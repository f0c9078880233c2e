#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace volantra {

// Something the mouse did by itself (a DPI stage chosen on the mouse, a macro key, ...),
// reported on its event interface as 06 07 <code> <value>.
struct DeviceEvent
{
    // The codes the mouse sends for what the program shows; it sends more, which mean
    // nothing to the program.
    static constexpr std::uint8_t kFirstDpiStageCode = 1; // 1 to 3: value is the stage chosen
    static constexpr std::uint8_t kLastDpiStageCode = 3;
    static constexpr std::uint8_t kMacroKeyCode = 9; // value is the macro key pressed

    std::uint8_t code = 0;
    std::uint8_t value = 0;

    static constexpr DeviceEvent dpiStageChosen(std::uint8_t stage)
    {
        return {kFirstDpiStageCode, stage};
    }
    static constexpr DeviceEvent macroKeyPressed(std::uint8_t key) { return {kMacroKeyCode, key}; }

    constexpr bool isDpiStage() const
    {
        return code >= kFirstDpiStageCode && code <= kLastDpiStageCode;
    }
    constexpr bool isMacroKey() const { return code == kMacroKeyCode; }

    friend bool operator==(const DeviceEvent&, const DeviceEvent&) = default;
};

// An input report of the event interface as the mouse sends it: report id 6, then seven
// bytes, the first the marker 7.
class EventReport
{
public:
    static constexpr std::size_t kSize = 8;
    using Bytes = std::array<std::uint8_t, kSize>;

    // The report the mouse sends for the event.
    static Bytes of(DeviceEvent event);
    // The device event in a report, or nothing for any other report (and for a report too
    // short to hold one).
    static std::optional<DeviceEvent> parse(std::span<const std::uint8_t> report);

private:
    static constexpr std::size_t kReportId = 0;
    static constexpr std::size_t kMarker = 1;
    static constexpr std::size_t kCode = 2;
    static constexpr std::size_t kValue = 3;
    static constexpr std::uint8_t kReportIdValue = 0x06;
    static constexpr std::uint8_t kMarkerValue = 0x07;
};

} // namespace volantra
