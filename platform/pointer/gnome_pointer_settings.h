#pragma once

#include "common/pointer_settings.h"

#include <string>

namespace volantra {

// GNOME's pointer settings through GSettings, in the schema the desktop's mouse panel uses.
// They are stored by the desktop (dconf), so they last across log-ins.
//
//   Setting                 GNOME key (org.gnome.desktop.peripherals.mouse)
//   enhanced precision      accel-profile: on 'adaptive', off 'flat'
//   pointer speed s, 1..20  speed: (s - 10) / 10, clamped to -1..1 (1 gives -0.9, 20 gives 1)
//   double-click time       double-click: the milliseconds as they are
//   wheel lines / screen    none: GNOME leaves wheel scrolling to each application
//
// A key the installed schemas do not have is reported as unsupported; looking the schema
// up first matters, as GSettings ends the process on a schema it does not know.
class GnomePointerSettings final : public PointerSettings
{
public:
    static constexpr const char* kMouseSchema = "org.gnome.desktop.peripherals.mouse";

    // The schemas installed on the system, or those compiled in `schemaDirectory`.
    explicit GnomePointerSettings(std::string schemaDirectory = {});

    std::string desktopName() const override { return "GNOME"; }
    PointerReport apply(const PointerValues& values) override;

    // GNOME's speed for a speed of 1 to 20; 10, the middle, is GNOME's default of 0.
    static double gnomeSpeed(int speed);

private:
    std::string m_schemaDirectory;
};

} // namespace volantra
