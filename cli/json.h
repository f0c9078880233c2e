#pragma once

#include <string>

namespace volantra {

// text as a JSON string literal, quotes included.
std::string jsonString(const std::string& text);

} // namespace volantra
