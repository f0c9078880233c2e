#include "app/app_options.h"

namespace volantra {

AppOptions::Parsed AppOptions::parse(const std::vector<std::string>& arguments)
{
    Parsed parsed;
    AppOptions& options = parsed.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](std::optional<std::string>& target) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                parsed.error = argument + " needs a value";
                return;
            }
            target = arguments[++i];
        };
        if (argument == "--simulate")
            options.simulate = true;
        else if (argument == "--show")
            options.show = true;
        else if (argument == "--update")
            options.update = true;
        else if (argument == "--help" || argument == "-h")
            options.help = true;
        else if (argument == "--version")
            options.version = true;
        else if (argument == "--data-dir")
            value(options.dataDirectory);
        else if (argument == "--trace")
            value(options.tracePath);
        else
            parsed.error = "unknown option " + argument;
        if (!parsed.error.empty())
            break;
    }
    return parsed;
}

} // namespace volantra
