#pragma once

#include <string>
#include <string_view>

namespace volantra {

// Paths and texts are UTF-8 everywhere in the program and UTF-16 at the Windows calls;
// these convert at that border. Invalid input is replaced, never dropped silently.
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);

// A path as the Windows file calls want it: absolute (ReplaceFileW refuses relative
// names), with backslashes, from a UTF-8 path that may use forward slashes.
std::wstring windowsPath(const std::string& path);

// The system's message for a Windows error code (GetLastError), in UTF-8, one line.
std::string windowsErrorText(unsigned long error);

} // namespace volantra
