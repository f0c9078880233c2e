#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace volantra {

// A key's display name and the byte the mouse wants for it.
struct KeyName
{
    std::string_view name;
    std::uint8_t code;
};

// Key display names, as the capture dialogs show them, to keyboard usages (Keyboard/Keypad
// page); the last three rows are the mouse's own button codes. In lookup order.
std::span<const KeyName> keyNameTable();

// The names of the combination dialog's modifier list, in list order, with their bit in
// the modifier byte of a keyboard report.
std::span<const KeyName> modifierNameTable();

// Exact, case-sensitive lookup of a key name; 0 (no key) for any name not in the table.
std::uint8_t keyNameToUsage(std::string_view name);

// Exact, case-sensitive lookup of a modifier name; 0 (no modifier) for any other name.
std::uint8_t modifierNameToMask(std::string_view name);

// The display name of a usage or mouse-button code, for labels; nothing for 0 and for
// bytes no key has.
std::optional<std::string_view> usageToKeyName(std::uint8_t usage);

// The name of a modifier mask with exactly one bit set; nothing otherwise.
std::optional<std::string_view> modifierMaskToName(std::uint8_t mask);

} // namespace volantra
