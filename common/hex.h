#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// "0a ff 00": two lower-case digits per byte, separated by single spaces.
std::string hexSpaced(std::span<const std::uint8_t> bytes);

// "0aff00": two lower-case digits per byte, nothing between them.
std::string hexPacked(std::span<const std::uint8_t> bytes);

// Reads hexadecimal digits, ignoring spaces; nullopt on any other character or an odd count.
std::optional<std::vector<std::uint8_t>> parseHex(std::string_view text);

} // namespace volantra
