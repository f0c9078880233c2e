#pragma once

#include <string>
#include <vector>

namespace volantra {

struct CliContext;

// encode-macros [--record FILE]: the twelve macro images made from the macro file.
int runEncodeMacros(CliContext& context, const std::vector<std::string>& arguments);
// macros, macros show NAME: the macros of the data directory's macro file.
int runMacros(CliContext& context, const std::vector<std::string>& arguments);

} // namespace volantra
