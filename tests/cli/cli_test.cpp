#include "cli/cli.h"
#include "common/hex.h"
#include "model/device_images_builder.h"
#include "model/profile_file.h"
#include "support/cli_run.h"
#include "support/temporary_directory.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

#ifdef _WIN32
// _pclose gives the program's exit status itself.
#define WIFEXITED(status) true
#define WEXITSTATUS(status) (status)
#endif

namespace volantra {
namespace {

using test::CliRun;

CliRun run(const std::vector<std::string>& arguments)
{
    return test::runCliCapturing(arguments);
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

std::string writeProfile(const test::TemporaryDirectory& directory, const std::string& name,
                         const std::vector<std::uint8_t>& bytes)
{
    const std::string path = directory.file(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return path;
}

std::vector<std::uint8_t> fileBytes(const SettingsRecord& record)
{
    const ProfileFile::Bytes bytes = ProfileFile::serialize(record);
    return {bytes.begin(), bytes.end()};
}

// Every byte patterned, except that the settings the mouse checks hold values it takes.
SettingsRecord sampleRecord()
{
    SettingsRecord::Bytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>((i + 1) * 7);
    SettingsRecord record(bytes);
    record.setReportInterval(2);
    for (std::size_t stage = 0; stage < SettingsRecord::kDpiStageCount; ++stage)
        record.setDpiStage(stage, static_cast<std::uint8_t>(10 + 20 * stage));
    record.setLightingMode(2);
    for (std::size_t level = 0; level < SettingsRecord::kLightingLevelCount; ++level)
        record.setLightingLevel(level, static_cast<std::uint8_t>(level + 3));
    record.setAngleSnapLevel(7);
    record.setXSensitivity(4);
    record.setYSensitivity(9);
    return record;
}

std::vector<std::uint8_t> sampleProfile()
{
    return fileBytes(sampleRecord());
}

TEST(Cli, ImagesPrintsWhatApplyWouldSend)
{
    test::TemporaryDirectory directory;
    const std::vector<std::uint8_t> bytes = sampleProfile();
    const CliRun result = run({"images", "--profile", writeProfile(directory, "p.bin", bytes)});
    ASSERT_EQ(result.status, 0) << result.err;
    const DeviceImages images = buildDeviceImages(ProfileFile::parse(bytes, "p.bin")->record());
    std::string expected =
        "config " + hexPacked(images.config) + "\nbuttons " + hexPacked(images.buttons) + "\n";
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        expected +=
            "macro" + std::to_string(slot + 1) + " " + hexPacked(images.macros[slot]) + "\n";
    EXPECT_EQ(result.out, expected);
    // The macro images are the record's own bytes, from offset 0x0DC of the record.
    EXPECT_EQ(result.out.substr(result.out.find("macro1 ") + 7, 4),
              hexPacked(std::span(bytes).subspan(1 + 0xDC, 2)));
}

TEST(Cli, ProfileFilesOfAnotherLengthAreRefusedAndNothingIsSent)
{
    test::TemporaryDirectory directory;
    struct Case
    {
        std::size_t size;
        const char* suffix;
    } cases[] = {{0, "this one holds 0"},
                 {1756, "this one holds 1756"},
                 {1758, "this one holds 1758"},
                 {1, "this one holds 1"}};
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = sampleProfile();
        bytes.resize(c.size);
        const std::string path = writeProfile(directory, "bad.bin", bytes);
        const std::string trace = directory.file("trace-" + std::to_string(c.size));
        for (const char* command : {"images", "apply"}) {
            const CliRun result = run({"--simulate", "--trace", trace, command, "--profile", path});
            EXPECT_EQ(result.status, 2) << command << " " << c.size;
            EXPECT_EQ(result.err, "volantra-cli: " + path + ": a profile file holds 1757 bytes, " +
                                      c.suffix + "\n");
            EXPECT_EQ(result.out, "");
            EXPECT_FALSE(std::filesystem::exists(trace)) << "the mouse was touched";
        }
    }
    const CliRun missing = run({"--simulate", "apply", "--profile", directory.file("none.bin")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find(directory.file("none.bin")), std::string::npos);
}

TEST(Cli, ApplySendsTheProfileWithTheFullSequence)
{
    test::TemporaryDirectory directory;
    const std::vector<std::uint8_t> bytes = sampleProfile();
    const std::string trace = directory.file("trace.log");
    const CliRun result = run({"--simulate", "--trace", trace, "apply", "--profile",
                               writeProfile(directory, "p.bin", bytes)});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> lines = test::readLines(trace);
    // Connection (3 lines), then 16 commands and 28 output reports, each with its wait.
    ASSERT_EQ(lines.size(), 3u + 44 + 44);
    const DeviceImages images = buildDeviceImages(ProfileFile::parse(bytes, "p.bin")->record());
    EXPECT_EQ(lines[5], "set-feature 00 03 00 " + hexSpaced(std::span(&images.reportInterval, 1)) +
                            " 00 00 00 00 " +
                            hexSpaced(std::array{
                                static_cast<std::uint8_t>(0xFF - 0x03 - images.reportInterval)}));
    EXPECT_EQ(lines[7], "set-feature 00 0c 00 80 00 00 00 00 73");
    EXPECT_EQ(lines[8], "write 00 " + hexSpaced(std::span(images.config).first(64)));
    EXPECT_EQ(lines[9], "sleep 20");
    EXPECT_EQ(lines[10], "write 00 " + hexSpaced(std::span(images.config).last(64)));
}

TEST(Cli, ApplyNeverSendsSettingsTheMouseDoesNotTake)
{
    test::TemporaryDirectory directory;
    const auto zeroDpi = [](SettingsRecord& record) { record.setDpiStage(2, 0); };
    const auto zeroInterval = [](SettingsRecord& record) { record.setReportInterval(0); };
    const auto wideSnap = [](SettingsRecord& record) { record.setAngleSnapLevel(11); };
    const struct
    {
        void (*damage)(SettingsRecord&);
        const char* named;
    } cases[] = {{zeroDpi, "DPI stage 3 holds 0 DPI"},
                 {zeroInterval, "report interval holds 0 ms"},
                 {wideSnap, "angle snap holds 11"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        SettingsRecord record = sampleRecord();
        c.damage(record);
        const std::string trace = directory.file("trace.log");
        const CliRun result = run({"--simulate", "--trace", trace, "apply", "--profile",
                                   writeProfile(directory, "p.bin", fileBytes(record))});
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find(c.named), std::string::npos) << result.err;
        EXPECT_TRUE(test::readLines(trace).empty());
    }
}

TEST(Cli, ATraceThatCannotBeWrittenStopsBeforeTheMouseIsUsed)
{
    test::TemporaryDirectory directory;
    const std::string profile = writeProfile(directory, "p.bin", sampleProfile());
    for (const char* command : {"connect", "apply"}) {
        SCOPED_TRACE(command);
        std::vector<std::string> arguments = {"--simulate", "--trace", "/dev/full", command};
        if (std::string(command) == "apply")
            arguments.insert(arguments.end(), {"--profile", profile});
        const CliRun result = run(arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find("/dev/full: cannot write the trace file"), std::string::npos)
            << result.err;
    }
}

// What the mouse was sent, read back from the trace: each image command followed by the
// two output reports that carry its image, as "config"/"buttons"/"macroN" lines.
std::string imagesFromTrace(const std::vector<std::string>& trace)
{
    std::string images;
    for (std::size_t i = 0; i + 4 < trace.size(); ++i) {
        const std::optional<std::vector<std::uint8_t>> report =
            parseHex(trace[i].substr(trace[i].find(' ') + 1));
        if (!trace[i].starts_with("set-feature") || !report || report->size() < 3)
            continue;
        std::string name;
        if ((*report)[1] == 0x0C)
            name = "config";
        else if ((*report)[1] == 0x0D)
            name = "buttons";
        else if ((*report)[1] == 0x0F)
            name = "macro" + std::to_string((*report)[2]);
        else
            continue;
        std::string hex;
        for (std::size_t chunk : {i + 1, i + 3}) {
            EXPECT_TRUE(trace[chunk].starts_with("write 00 ")) << trace[chunk];
            hex += hexPacked(*parseHex(trace[chunk].substr(9)));
        }
        images += name + " " + hex + "\n";
    }
    return images;
}

TEST(Cli, ApplySendsExactlyTheImagesThatImagesPrints)
{
    test::TemporaryDirectory directory;
    std::vector<std::uint8_t> bytes = sampleProfile();
    bytes[1] = 4; // a profile byte other than 0: the images still go to profile 0
    const std::string profile = writeProfile(directory, "p.bin", bytes);
    const CliRun printed = run({"images", "--profile", profile});
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::string trace = directory.file("trace.log");
    ASSERT_EQ(run({"--simulate", "--trace", trace, "apply", "--profile", profile}).status, 0);
    EXPECT_EQ(imagesFromTrace(test::readLines(trace)), printed.out);
}

// The events command runs until interrupted, so it is tried as its own process.
TEST(Cli, EventsPrintsTheMouseEventsUntilInterrupted)
{
#ifdef _WIN32
    GTEST_SKIP() << "runs the program through a POSIX shell with timeout(1) and SIGINT";
#else
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
    // Run from a background job (a CI script's), this test inherits Ctrl+C ignored, and so
    // would the command; it is meant to get Ctrl+C as from a terminal. The interrupt comes
    // late enough for a slow (sanitizer) build to have started listening.
    std::signal(SIGINT, SIG_DFL);
    for (const Case& c : cases) {
        const std::string command =
            std::string("VOLANTRA_SIMULATE_EVENTS='06 07 02 03,06 08 01 01,"
                        "06 07 09 01,06 07 04 02' timeout --preserve-status -s INT 2 ") +
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
#endif
}

// The installed program's way: a new data folder starts with the default profiles the
// build wrote beside it.
TEST(Cli, ANewDataDirIsFilledFromTheDefaults)
{
    test::TemporaryDirectory directory;
    const std::string fresh = directory.file("new/data");
    FILE* pipe =
        popen((std::string(VOLANTRA_CLI_PATH) + " --data-dir " + fresh + " profiles").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[256] = {};
    const bool printed = std::fgets(line, sizeof line, pipe) != nullptr;
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(printed && std::string(line).starts_with("* ")) << line;
    for (const char* name : {"config0.bin", "config5.bin", "str.ini", "Skins/Default/main.png"})
        EXPECT_TRUE(std::filesystem::is_regular_file(directory.path() / "new/data" / name)) << name;
}

TEST(Cli, HelpAndVersion)
{
    EXPECT_EQ(run({"--version"}).out,
              std::string("volantra-cli ") + VOLANTRA_EXPECTED_VERSION + "\n");
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(run({"help"}).out, help.out);
    // Each command listed has a line of its own and its own help, the usage line first.
    std::istringstream lines(help.out.substr(help.out.find("commands:\n")));
    int commands = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  ", 0) != 0)
            continue;
        const std::string name = line.substr(2, line.find(' ', 2) - 2);
        const CliRun one = run({"help", name});
        EXPECT_EQ(one.status, 0) << name;
        EXPECT_EQ(one.out.rfind("usage: volantra-cli [OPTIONS] " + name, 0), 0u) << one.out;
        ++commands;
    }
    EXPECT_EQ(commands, 13);
    const CliRun unknown = run({"help", "frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "volantra-cli: unknown command frobnicate\n");
}

} // namespace
} // namespace volantra
