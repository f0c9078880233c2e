#include "app/app_options.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(AppOptionsTest, CommandLines)
{
    struct Case
    {
        std::vector<std::string> arguments;
        bool simulate, show, update, version;
        std::optional<std::string> dataDirectory, trace;
        std::string error;
    } cases[] = {
        {{}, false, false, false, false, {}, {}, ""},
        {{"--simulate", "--show"}, true, true, false, false, {}, {}, ""},
        {{"--data-dir", "/tmp/x", "--trace", "t.txt"},
         false,
         false,
         false,
         false,
         "/tmp/x",
         "t.txt",
         ""},
        {{"--update"}, false, false, true, false, {}, {}, ""},
        {{"--version"}, false, false, false, true, {}, {}, ""},
        {{"--data-dir"}, false, false, false, false, {}, {}, "--data-dir needs a value"},
        {{"--trace", ""}, false, false, false, false, {}, {}, "--trace needs a value"},
        {{"--simulate", "--bogus"}, true, false, false, false, {}, {}, "unknown option --bogus"},
    };
    for (const Case& c : cases) {
        const AppOptions::Parsed parsed = AppOptions::parse(c.arguments);
        SCOPED_TRACE(c.error);
        EXPECT_EQ(parsed.error, c.error);
        if (!c.error.empty())
            continue;
        EXPECT_EQ(parsed.options.simulate, c.simulate);
        EXPECT_EQ(parsed.options.show, c.show);
        EXPECT_EQ(parsed.options.update, c.update);
        EXPECT_EQ(parsed.options.version, c.version);
        EXPECT_EQ(parsed.options.dataDirectory, c.dataDirectory);
        EXPECT_EQ(parsed.options.tracePath, c.trace);
    }
}

} // namespace
} // namespace volantra
