#include "platform/windows/windows_pointer_settings.h"

#include <algorithm>
#include <windows.h>

namespace volantra {
namespace {

// SPI_SETMOUSE's thresholds and acceleration: what "Enhance pointer precision" sets.
constexpr int kEnhancedPrecision[3] = {6, 10, 1};
constexpr int kNoAcceleration[3] = {0, 0, 0};

SettingOutcome outcome(BOOL done, const char* message)
{
    if (done)
        return {};
    return SettingOutcome::failed(Error{Error::Kind::Io, message});
}

} // namespace

PointerReport WindowsPointerSettings::apply(const PointerValues& values)
{
    PointerReport report;
    int mouse[3];
    std::copy_n(values.enhancedPrecision ? kEnhancedPrecision : kNoAcceleration, 3, mouse);
    report.set(
        PointerSetting::Acceleration,
        outcome(SystemParametersInfoW(SPI_SETMOUSE, 0, mouse, SPIF_SENDCHANGE), kSetMouseFailed));

    const int speed = std::clamp(values.speed, PointerValues::kSlowest, PointerValues::kFastest);
    report.set(PointerSetting::Speed,
               outcome(SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                                             reinterpret_cast<void*>(static_cast<INT_PTR>(speed)),
                                             SPIF_SENDCHANGE),
                       kSetMouseSpeedFailed));

    const UINT lines = values.scrollByScreen
                           ? WHEEL_PAGESCROLL
                           : static_cast<UINT>(std::clamp(values.scrollLines, 1, 100));
    report.set(
        PointerSetting::WheelScroll,
        outcome(SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, SPIF_SENDCHANGE),
                kSetWheelScrollLinesFailed));

    const UINT milliseconds = static_cast<UINT>(std::max(values.doubleClickMilliseconds, 1));
    report.set(PointerSetting::DoubleClickTime,
               outcome(SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr,
                                             SPIF_UPDATEINIFILE | SPIF_SENDCHANGE),
                       kSetDoubleClickTimeFailed));
    return report;
}

} // namespace volantra
