#include "platform/pointer/desktop_pointer_settings.h"

#include "common/text.h"
#include "platform/pointer/gnome_pointer_settings.h"
#include "platform/pointer/kde_pointer_settings.h"
#include "platform/pointer/unsupported_pointer_settings.h"

#include <cstdlib>

namespace volantra {
namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

PointerDesktop pointerDesktopFor(std::string_view currentDesktop)
{
    // The first name the desktop list holds that we know decides.
    while (!currentDesktop.empty()) {
        const std::size_t colon = currentDesktop.find(':');
        const std::string_view name = currentDesktop.substr(0, colon);
        if (caseInsensitiveEqual(name, "GNOME") || caseInsensitiveEqual(name, "ubuntu") ||
            caseInsensitiveEqual(name, "Unity"))
            return PointerDesktop::Gnome;
        if (caseInsensitiveEqual(name, "KDE"))
            return PointerDesktop::Kde;
        if (colon == std::string_view::npos)
            break;
        currentDesktop.remove_prefix(colon + 1);
    }
    return PointerDesktop::Other;
}

std::unique_ptr<PointerSettings> createPointerSettings(std::string_view currentDesktop,
                                                       std::string configHome)
{
    switch (pointerDesktopFor(currentDesktop)) {
    case PointerDesktop::Gnome:
        return std::make_unique<GnomePointerSettings>();
    case PointerDesktop::Kde:
        return std::make_unique<KdePointerSettings>(std::move(configHome));
    case PointerDesktop::Other:
        break;
    }
    return std::make_unique<UnsupportedPointerSettings>(std::string(currentDesktop));
}

std::unique_ptr<PointerSettings> createSessionPointerSettings()
{
    // Relative values are to be ignored, as the XDG base directories say.
    std::string configHome = environment("XDG_CONFIG_HOME");
    if (configHome.empty() || configHome.front() != '/')
        configHome = environment("HOME") + "/.config";
    return createPointerSettings(environment("XDG_CURRENT_DESKTOP"), std::move(configHome));
}

} // namespace volantra
