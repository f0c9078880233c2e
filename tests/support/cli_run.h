#pragma once

#include "cli/cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace volantra::test {

// What one in-process run of volantra-cli gave.
struct CliRun
{
    int status = 0;
    std::string out;
    std::string err;
};

// `desktop` stands for the desktop whose pointer settings apply sets; none: the session's.
inline CliRun runCliCapturing(const std::vector<std::string>& arguments,
                              PointerSettings* desktop = nullptr)
{
    std::ostringstream out;
    std::ostringstream err;
    CliRun result;
    result.status = runCli(arguments, out, err, desktop);
    result.out = out.str();
    result.err = err.str();
    return result;
}

} // namespace volantra::test
