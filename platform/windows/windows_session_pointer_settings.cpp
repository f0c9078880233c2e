#include "platform/pointer/desktop_pointer_settings.h"
#include "platform/windows/windows_pointer_settings.h"

namespace volantra {

// On Windows the session's desktop is always the one system settings of the log-on.
std::unique_ptr<PointerSettings> createSessionPointerSettings()
{
    return std::make_unique<WindowsPointerSettings>();
}

} // namespace volantra
