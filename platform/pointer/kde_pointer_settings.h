#pragma once

#include "common/pointer_settings.h"
#include "platform/posix_atomic_file_writer.h"

#include <string>

namespace volantra {

// KDE Plasma's pointer settings through its configuration files in the user's config
// folder ($XDG_CONFIG_HOME), which last across log-ins. After writing, the program sends
// the signal with which Plasma's own settings tell running programs and KWin to read
// the mouse settings again; without a session bus the files take effect at the next log-in.
//
//   Setting                 KDE key
//   enhanced precision      kcminputrc [Mouse] XLbInptAccelProfileFlat: on false, off true
//   pointer speed s, 1..20  kcminputrc [Mouse] XLbInptPointerAcceleration: (s - 10) / 10,
//                           clamped to -1..1
//   both, on Wayland        the same in KWin's groups for this mouse, where KWin has made
//                           them: kcminputrc [Libinput][1241][41204][<device name>]
//                           PointerAccelerationProfile (2 adaptive, 1 flat) and
//                           PointerAcceleration
//   double-click time       kdeglobals [KDE] DoubleClickInterval: milliseconds
//   wheel lines             kdeglobals [KDE] WheelScrollLines: the lines
//   wheel by screen         none: Plasma always scrolls by lines
class KdePointerSettings final : public PointerSettings
{
public:
    // The names KWin gives this mouse's groups: USB vendor 0x04D9, product 0xA0F4.
    static constexpr const char* kMouseGroupPrefix = "Libinput][1241][41204][";
    static constexpr const char* kInputFile = "kcminputrc";
    static constexpr const char* kGlobalsFile = "kdeglobals";

    explicit KdePointerSettings(std::string configHome);

    std::string desktopName() const override { return "KDE Plasma"; }
    PointerReport apply(const PointerValues& values) override;

    const std::string& configHome() const { return m_configHome; }
    // Plasma's pointer acceleration for a speed of 1 to 20.
    static double kdeAcceleration(int speed);

private:
    std::string m_configHome;
    PosixAtomicFileWriter m_writer;
};

} // namespace volantra
