#pragma once

#include "common/result.h"

#include <string>

namespace volantra {

// Starts the firmware updater installed in the data directory for this machine type
// (help_panel_rules::findUpdater), detached, in its own folder and without arguments: the
// program does not wait for it. The error says what to tell the user when there is no
// updater or it could not be started.
Status launchFirmwareUpdater(const std::string& dataDirectory, const std::string& machine);

} // namespace volantra
