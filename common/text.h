#pragma once

#include <string_view>

namespace volantra {

// True when both texts hold the same characters, ASCII letters compared without regard to
// case (names typed by users and desktops; other bytes must match exactly).
bool caseInsensitiveEqual(std::string_view a, std::string_view b);

// The text without the blanks (space, tab, line ends, form feed, vertical tab) around it.
std::string_view trimmed(std::string_view text);

} // namespace volantra
