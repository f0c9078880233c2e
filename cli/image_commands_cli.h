#pragma once

#include <string>
#include <vector>

namespace volantra {

struct CliContext;

// The commands that turn a profile into the mouse's images: images and apply.
int runImages(CliContext& context, const std::vector<std::string>& arguments);
int runApply(CliContext& context, const std::vector<std::string>& arguments);

} // namespace volantra
