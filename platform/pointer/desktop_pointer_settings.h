#pragma once

#include "common/pointer_settings.h"

#include <memory>
#include <string>
#include <string_view>

namespace volantra {

// The desktops whose pointer settings the program knows how to change.
enum class PointerDesktop { Gnome, Kde, Other };

// The desktop named by XDG_CURRENT_DESKTOP, a list such as "ubuntu:GNOME": GNOME and the
// desktops built on its settings (Unity, Ubuntu's session) or KDE.
PointerDesktop pointerDesktopFor(std::string_view currentDesktop);

// The pointer settings of that desktop; KDE's files live in `configHome`.
std::unique_ptr<PointerSettings> createPointerSettings(std::string_view currentDesktop,
                                                       std::string configHome);

// The pointer settings of the session the program runs in, from XDG_CURRENT_DESKTOP and
// XDG_CONFIG_HOME (or ~/.config).
std::unique_ptr<PointerSettings> createSessionPointerSettings();

} // namespace volantra
