#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace volantra {

class PointerSettings;

// volantra-cli: arguments in, exit status out. Output goes to out, messages to err.
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
// The same, setting the pointer settings of `desktop` instead of the session's desktop.
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           PointerSettings* desktop);

} // namespace volantra
