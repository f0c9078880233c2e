#include "cli/cli.h"
#include "support/cli_run.h"
#include "support/macro_files.h"
#include "support/temporary_directory.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace volantra {
namespace {

using test::CliRun;

CliRun run(const std::vector<std::string>& arguments)
{
    return test::runCliCapturing(arguments);
}

using test::writeText;

// n presses of A, each followed by 10 ms: 63 fill an image.
std::string presses(int n)
{
    std::string text = "ItemCount=" + std::to_string(2 * n) + "\n";
    for (int i = 0; i < n; ++i)
        text += "Item" + std::to_string(2 * i) + "=A   Dn\nItem" + std::to_string(2 * i + 1) +
                "=10 ms\n";
    return text;
}

const std::string kRecord = test::tapOfA("Macro_1") + "[Quote\"d]\n"
                                                      "DelayTimeSelStatus=0\n"
                                                      "ItemCount=2\n"
                                                      "Item0=A   Dn\n"
                                                      "Item1=A   Up\n";

std::string twelveLines(const std::vector<std::string>& images)
{
    std::string text;
    for (std::size_t slot = 0; slot < 12; ++slot)
        text += "macro" + std::to_string(slot + 1) + " " +
                (slot < images.size() ? images[slot] : "") +
                std::string(256 - (slot < images.size() ? images[slot].size() : 0), '0') + "\n";
    return text;
}

TEST(MacroCli, EncodeMacrosPrintsTwelveImages)
{
    test::TemporaryDirectory directory;
    writeText(directory.file("record.ini"), kRecord);
    const std::string expected = twelveLines({"00010c048004", "000105048504"});
    const std::vector<std::vector<std::string>> invocations = {
        {"encode-macros", "--record", directory.file("record.ini")},
        {"--data-dir", directory.path().string(), "encode-macros"},
    };
    for (const auto& arguments : invocations) {
        const CliRun result = run(arguments);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, expected);
        EXPECT_EQ(result.err, "");
    }
}

TEST(MacroCli, EncodeMacrosWithoutMacrosPrintsTwelveZeroImages)
{
    test::TemporaryDirectory directory;
    writeText(directory.file("empty.ini"), "");
    for (const std::string& file : {directory.file("missing.ini"), directory.file("empty.ini")}) {
        const CliRun result = run({"encode-macros", "--record", file});
        EXPECT_EQ(result.status, 0) << file;
        EXPECT_EQ(result.out, twelveLines({})) << file;
    }
}

TEST(MacroCli, EncodeMacrosNamesACutMacro)
{
    test::TemporaryDirectory directory;
    writeText(directory.file("record.ini"), "[Fits]\nDelayTimeSelStatus=1\n" + presses(63) +
                                                "[Long]\nDelayTimeSelStatus=1\n" + presses(64));
    std::string full = "0001";
    for (int i = 0; i < 63; ++i)
        full += "0104";
    const CliRun result = run({"encode-macros", "--record", directory.file("record.ini")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, twelveLines({full, full}));
    EXPECT_EQ(result.err, "volantra-cli: macro Long does not fit its 128-byte image; the events "
                          "from the first that did not fit on were left out\n");
}

TEST(MacroCli, MacrosListsAndShows)
{
    test::TemporaryDirectory directory;
    writeText(directory.file("record.ini"), kRecord);
    const std::string dir = directory.path().string();
    const struct
    {
        std::vector<std::string> arguments;
        const char* out;
    } cases[] = {
        {{"--data-dir", dir, "macros"}, "Macro_1\nQuote\"d\n"},
        {{"--data-dir", dir, "--json", "macros"}, "{\"macros\":[\"Macro_1\",\"Quote\\\"d\"]}\n"},
        {{"--data-dir", dir, "macros", "show", "Macro_1"}, "A   Dn\n120 ms\nA   Up\n"},
        {{"--data-dir", dir, "macros", "show", "macro_1"}, "A   Dn\n120 ms\nA   Up\n"},
    };
    for (const auto& c : cases) {
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.status, 0) << c.arguments.back();
        EXPECT_EQ(result.out, c.out) << c.arguments.back();
        EXPECT_EQ(result.err, "");
    }
}

TEST(MacroCli, MacrosNeverDriveTheTerminal)
{
    test::TemporaryDirectory directory;
    writeText(directory.file("record.ini"), "[Red\x1b[31m]\nItemCount=2\nItem0=\xc2\x9b"
                                            "2J\nItem1=\x07\xff \xe4\xb8\xad\n");
    const std::string dir = directory.path().string();
    const struct
    {
        std::vector<std::string> arguments;
        const char* out;
    } cases[] = {
        {{"--data-dir", dir, "macros"}, "Red\\x1b[31m\n"},
        {{"--data-dir", dir, "--json", "macros"}, "{\"macros\":[\"Red\\u001b[31m\"]}\n"},
        {{"--data-dir", dir, "macros", "show", "Red\x1b[31m"},
         "\\u009b2J\n\\x07\\xff \xe4\xb8\xad\n"},
    };
    for (const auto& c : cases) {
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, c.out);
    }
}

TEST(MacroCli, MacrosWithoutAMacroFileListsNothing)
{
    test::TemporaryDirectory directory;
    const std::string dir = directory.path().string();
    EXPECT_EQ(run({"--data-dir", dir, "macros"}).out, "");
    EXPECT_EQ(run({"--data-dir", dir, "--json", "macros"}).out, "{\"macros\":[]}\n");
}

TEST(MacroCli, ShowingAMissingMacroFails)
{
    test::TemporaryDirectory directory;
    writeText(directory.file("record.ini"), kRecord);
    const CliRun result =
        run({"--data-dir", directory.path().string(), "macros", "show", "Nothing"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "volantra-cli: There is no macro \"Nothing\" in " +
                              directory.file("record.ini") + "\n");
}

TEST(MacroCli, BadUsageExitsTwo)
{
    test::TemporaryDirectory directory;
    const std::string dir = directory.path().string();
    const std::vector<std::vector<std::string>> cases = {
        {"--data-dir", dir, "encode-macros", "--record"},
        {"--data-dir", dir, "encode-macros", "--profile", "x"},
        {"--data-dir", dir, "encode-macros", "--record", "a", "b"},
        {"--data-dir", dir, "macros", "show"},
        {"--data-dir", dir, "macros", "show", "a", "b"},
        {"--data-dir", dir, "macros", "list"},
    };
    for (const auto& arguments : cases) {
        const CliRun result = run(arguments);
        EXPECT_EQ(result.status, 2) << arguments.back();
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("volantra-cli: "), std::string::npos);
    }
}

} // namespace
} // namespace volantra
