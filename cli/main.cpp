#include "cli/cli.h"

#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The same bytes as on Linux: no "\r" before each "\n" (scripts compare the output).
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    return volantra::runCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
