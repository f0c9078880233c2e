#include "cli/terminal_text.h"

#include <cstdint>
#include <cstdio>

namespace volantra {
namespace {

std::string escaped(const char* format, unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t sequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u)
            return 0;
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::string terminalSafe(std::string_view text)
{
    std::string safe;
    safe.reserve(text.size());
    while (!text.empty()) {
        const auto lead = static_cast<std::uint8_t>(text[0]);
        if (lead < 0x80) {
            if (lead < 0x20 || lead == 0x7F)
                safe += escaped("\\x%02x", lead);
            else
                safe += text[0];
            text.remove_prefix(1);
            continue;
        }
        const std::size_t length = sequenceLength(text);
        if (length == 0) {
            safe += escaped("\\x%02x", lead);
            text.remove_prefix(1);
        } else if (length == 2 && lead == 0xC2 && static_cast<std::uint8_t>(text[1]) < 0xA0) {
            // U+0080 to U+009F: the C1 controls, CSI among them.
            safe += escaped("\\u%04x", static_cast<std::uint8_t>(text[1]));
            text.remove_prefix(2);
        } else {
            safe.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return safe;
}

} // namespace volantra
