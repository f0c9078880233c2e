#pragma once

#include <optional>
#include <string_view>

namespace volantra {

// One key press or release that reached a capture dialog, named by the key-name service
// (nothing for a key it has no name for).
struct CapturedKeyEvent
{
    std::optional<std::string_view> name;
    // Held keys repeat their press; a repeat says nothing new and is dropped.
    bool autoRepeat = false;
};

} // namespace volantra
