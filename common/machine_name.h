#pragma once

#include <string>

namespace volantra {

// The machine type the kernel reports (uname -m): "x86_64", "i686", "aarch64", ...; empty
// when it cannot be read.
std::string machineName();

} // namespace volantra
