#pragma once

#include "model/settings_record.h"

#include <string>
#include <vector>

namespace volantra {

// The settings of a record the mouse would get that lie outside what the mouse takes
// (and what the window and `volantra-cli set` let a user choose): a DPI stage of 0 or a
// report interval of 0 come only from a damaged or hand-made file. Each entry names the
// setting, the value held and the values expected; none for a record fit to send.
std::vector<std::string> settingsTheMouseRefuses(const SettingsRecord& record);

} // namespace volantra
