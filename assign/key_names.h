#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace volantra {

// The key-name service: names a key by where it sits on the keyboard, as the mouse's
// keyboard usages do, so the name does not change with the layout, Shift or Num Lock.
//
// Keys are identified by their Linux input code (KEY_* of linux/input-event-codes.h),
// which X11 and Wayland both hand on as the key's scan code. The names are those of the
// key table (keyNameTable()); keys the table has no row for get none: the ISO key left
// of Z, F13 to F24, the Japanese and Korean keys and the media keys. The ISO "#" key
// shares its input code with "\" and is named "\".
std::optional<std::string_view> evdevKeyName(std::uint32_t evdevCode);

} // namespace volantra
