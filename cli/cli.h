#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace volantra {

// volantra-cli: arguments in, exit status out. Output goes to out, messages to err.
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace volantra
