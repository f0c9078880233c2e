#pragma once

#include <optional>
#include <string>
#include <vector>

namespace volantra {

// The command line of the volantra program.
struct AppOptions
{
    bool simulate = false; // the simulated mouse instead of the machine's
    bool show = false;     // start with the window shown
    bool update = false;   // ask the running program to start the firmware updater
    bool help = false;
    bool version = false;
    std::optional<std::string> dataDirectory;
    std::optional<std::string> tracePath;

    static constexpr const char* kUsage =
        "Usage: volantra [--simulate] [--show] [--data-dir DIR] [--trace FILE] [--update]\n"
        "Configures the Volantra gaming mouse from the tray.\n"
        "  --simulate       use the simulated mouse instead of the machine's\n"
        "  --show           start with the window shown\n"
        "  --data-dir DIR   keep profiles, macros and skins in DIR\n"
        "  --trace FILE     write every device operation to FILE\n"
        "  --update         ask the running program to start the firmware updater\n"
        "  --version        print the version and exit\n"
        "  --help           print this help and exit\n";

    struct Parsed;
    // Arguments after the program name; an unknown or incomplete option is an error
    // that names it.
    static Parsed parse(const std::vector<std::string>& arguments);
};

struct AppOptions::Parsed
{
    AppOptions options;
    std::string error; // empty when the command line was understood
};

} // namespace volantra
