#pragma once

#include <string>
#include <string_view>

namespace volantra {

// Text from a user's files (macro lines, profile names) made safe to print: control
// characters, C1 controls and bytes that are not UTF-8 could move the cursor, change
// the terminal's state or hide output, so each is written as a visible escape (\x1b,
// \u009b). Everything else, UTF-8 text included, stays as it is.
std::string terminalSafe(std::string_view text);

} // namespace volantra
