#include "common/machine_name.h"

#include <windows.h>

namespace volantra {

// GetNativeSystemInfo's processor architecture in the names uname uses, so the updater
// rules (help_panel_rules::updaterRelativePath) are the same on both systems. The
// updater's rule sends x64 (9) and Itanium (6) to Update\X64, everything else to Update\X86.
std::string machineName()
{
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    switch (system.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_AMD64:
    case PROCESSOR_ARCHITECTURE_IA64:
        return "x86_64";
    case PROCESSOR_ARCHITECTURE_INTEL:
        return "i686";
    case PROCESSOR_ARCHITECTURE_ARM64:
        return "aarch64";
    case PROCESSOR_ARCHITECTURE_ARM:
        return "arm";
    default:
        return {};
    }
}

} // namespace volantra
