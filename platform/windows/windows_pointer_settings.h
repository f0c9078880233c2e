#pragma once

#include "common/pointer_settings.h"

#include <string>

namespace volantra {

// The Windows pointer settings through SystemParametersInfoW, as the mouse's
// Windows tool always set them: SPI_SETMOUSE (6, 10, 1 with enhanced pointer precision, else 0, 0,
// 0), SPI_SETMOUSESPEED (1 to 20), SPI_SETWHEELSCROLLLINES (lines, or WHEEL_PAGESCROLL for one
// screen), all three for this log-on only, then SPI_SETDOUBLECLICKTIME, which is kept
// (SPIF_UPDATEINIFILE). Every call is made even after one failed.
class WindowsPointerSettings final : public PointerSettings
{
public:
    std::string desktopName() const override { return "Windows"; }
    PointerReport apply(const PointerValues& values) override;
};

// The messages of the design for each failed call.
inline constexpr const char* kSetMouseFailed = "SETMOUSE failed.";
inline constexpr const char* kSetMouseSpeedFailed = "SETMOUSESPEED failed.";
inline constexpr const char* kSetWheelScrollLinesFailed = "SETWHEELSCROLLLINES failed.";
inline constexpr const char* kSetDoubleClickTimeFailed = "SPI_SETDOUBLECLICKTIME failed.";

} // namespace volantra
