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

inline CliRun runCliCapturing(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    CliRun result;
    result.status = runCli(arguments, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

} // namespace volantra::test
