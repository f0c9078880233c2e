#include "cli/cli.h"
#include "support/temporary_directory.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>

namespace volantra {
namespace {

struct CliRun
{
    int status = 0;
    std::string out;
    std::string err;
};

CliRun run(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    CliRun result;
    result.status = runCli(arguments, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

TEST(Cli, DevicesListsTheSimulatedMouse)
{
    const CliRun result = run({"--simulate", "devices"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "/sim/hidraw0#0 usage-page=0xFF01 usage=0x0001 input=8 output=0 feature=0\n"
              "/sim/hidraw1#0 usage-page=0xFF00 usage=0xFF00 input=65 output=65 feature=9\n"
              "/sim/hidraw2#0 usage-page=0x0001 usage=0x0002 input=5 output=0 feature=0\n"
              "command /sim/hidraw1#0\n"
              "event /sim/hidraw0#0\n");
    EXPECT_EQ(result.err, "");
}

TEST(Cli, DevicesAsJson)
{
    const CliRun result = run({"--json", "--simulate", "devices"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "{\"interfaces\":["
              "{\"node\":\"/sim/hidraw0#0\",\"usagePage\":65281,\"usage\":1,\"input\":8,"
              "\"output\":0,\"feature\":0},"
              "{\"node\":\"/sim/hidraw1#0\",\"usagePage\":65280,\"usage\":65280,\"input\":65,"
              "\"output\":65,\"feature\":9},"
              "{\"node\":\"/sim/hidraw2#0\",\"usagePage\":1,\"usage\":2,\"input\":5,"
              "\"output\":0,\"feature\":0}],"
              "\"command\":\"/sim/hidraw1#0\",\"event\":\"/sim/hidraw0#0\"}\n");
}

TEST(Cli, ConnectPrintsTheProfileAndTracesTheSequence)
{
    test::TemporaryDirectory directory;
    const std::string trace = directory.file("trace.log");
    const CliRun result = run({"--simulate", "--trace", trace, "connect"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "profile 0\n");
    const std::vector<std::string> expected = {
        "set-feature 00 82 00 00 00 00 00 00 7d",
        "get-feature 00 82 00 00 00 00 00 00 7d",
        "set-feature 00 01 fc 00 00 00 00 00 02",
    };
    EXPECT_EQ(test::readLines(trace), expected);

    // The trace is appended to, never replaced.
    ASSERT_EQ(run({"--simulate", "--trace", trace, "connect"}).status, 0);
    EXPECT_EQ(test::readLines(trace).size(), 6u);
}

TEST(Cli, BadUsageExitsTwoAndNamesTheProblem)
{
    struct Case
    {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"--simulate", "frobnicate"}, "volantra-cli: unknown command frobnicate\n"},
        {{"--bogus", "devices"}, "volantra-cli: unknown option --bogus\n"},
        {{"--simulate", "--trace"}, "volantra-cli: --trace needs a value\n"},
        {{"--simulate", "connect", "extra"}, "volantra-cli: connect takes no arguments\n"},
        {{"--simulate", "devices", "extra"}, "volantra-cli: devices takes no arguments\n"},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_EQ(result.err, c.message);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(run({}).status, 2);
}

TEST(Cli, UnwritableTraceFileIsAnError)
{
    const CliRun result = run({"--simulate", "--trace", "/nonexistent/dir/trace.log", "connect"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "volantra-cli: /nonexistent/dir/trace.log: cannot open the trace file for writing\n");
    EXPECT_EQ(result.out, "");
}

// The events command runs until interrupted, so it is tried as its own process.
TEST(Cli, EventsPrintsTheMouseEventsUntilInterrupted)
{
    struct Case
    {
        const char* options;
        const char* expected;
    } cases[] = {
        {"--simulate", "dpi-stage 3\nmacro 1\nevent 4 2\n"},
        {"--simulate --json", "{\"event\":\"dpi-stage 3\",\"code\":2,\"value\":3}\n"
                              "{\"event\":\"macro 1\",\"code\":9,\"value\":1}\n"
                              "{\"event\":\"event 4 2\",\"code\":4,\"value\":2}\n"},
    };
    for (const Case& c : cases) {
        const std::string command =
            std::string("VOLANTRA_SIMULATE_EVENTS='06 07 02 03,06 08 01 01,"
                        "06 07 09 01,06 07 04 02' timeout --preserve-status -s INT 0.5 ") +
            VOLANTRA_CLI_PATH + " " + c.options + " events";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string output;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            output += buffer;
        const int status = pclose(pipe);
        EXPECT_EQ(output, c.expected);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "the interrupt did not end the command cleanly: " << status;
    }
}

} // namespace
} // namespace volantra
