#pragma once

#include "assign/captured_key_event.h"

#include <Qt>
#include <QtGlobal>
#include <optional>
#include <string_view>

class QKeyEvent;

namespace volantra {

// Names the key of a Qt key event as the key table does (evdevKeyName()).
//
// X11 and Wayland hand on the key's Linux input code plus 8 as its scan code; that names
// the key by its place, whatever the layout, Shift or Num Lock. Only events without a
// scan code (made by programs) fall back on what Qt makes of the key: left or right from
// the native key symbol, the keypad from its modifier, then the keys whose meaning no
// layout changes, and letters, digits and punctuation last, read as a US keyboard.
class QtKeyNames
{
public:
    // X keycodes are Linux input codes shifted by 8.
    static constexpr quint32 kScanCodeOffset = 8;

    static std::optional<std::string_view> name(const QKeyEvent& event);
    // The event as the capture dialogs take it: the key's name and whether it repeats.
    static CapturedKeyEvent captured(const QKeyEvent& event);
    static std::optional<std::string_view> fallbackName(int key, Qt::KeyboardModifiers modifiers,
                                                        quint32 nativeVirtualKey);
};

} // namespace volantra
