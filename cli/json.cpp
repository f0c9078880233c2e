#include "cli/json.h"

#include <cstdio>

namespace volantra {

std::string jsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool c1Control = c == 0xC2 && i + 1 < text.size() &&
                               static_cast<unsigned char>(text[i + 1]) < 0xA0 &&
                               static_cast<unsigned char>(text[i + 1]) >= 0x80;
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += text[i];
        } else if (c < 0x20 || c == 0x7F || c1Control) {
            // Controls are escaped so that printing the JSON never drives the terminal.
            const unsigned code = c1Control ? static_cast<unsigned char>(text[++i]) : c;
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
            quoted += escaped;
        } else {
            quoted += text[i];
        }
    }
    return quoted + "\"";
}

} // namespace volantra
