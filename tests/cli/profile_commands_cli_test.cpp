#include "cli/cli.h"
#include "model/ini_file.h"
#include "model/profile_file.h"
#include "pages/apply_pointer_settings.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/cli_run.h"
#include "support/memory_pointer_settings.h"
#include "support/temporary_directory.h"
#include "tools/default_data.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <thread>

namespace volantra {
namespace {

using Bytes = std::vector<std::uint8_t>;

using test::readBytes;
using test::writeBytes;

using test::CliRun;

class ProfileCommandsCli : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(DefaultData::writeTo(data.path().string(), writer)); }

    CliRun run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--data-dir", data.path().string()});
        return test::runCliCapturing(arguments, &desktop);
    }
    SettingsRecord saved(const std::string& name = "config0.bin")
    {
        Result<SettingsRecord> record = loadProfileFile(data.file(name));
        EXPECT_TRUE(record) << name;
        return record ? *record : SettingsRecord();
    }
    std::string item(int button, const std::string& ini = "str0.ini")
    {
        Result<IniFile> file = IniFile::load(data.file(ini), writer);
        return file ? file->readString("Setting-EN", "Item" + std::to_string(button), "") : "?";
    }

    test::TemporaryDirectory data;
    PosixAtomicFileWriter writer;
    MemoryPointerSettings desktop; // never the desktop the tests run in
};

TEST_F(ProfileCommandsCli, SetChangesOneSettingOfTheCurrentProfile)
{
    struct Case
    {
        std::vector<std::string> arguments;
        std::function<bool(const SettingsRecord&)> holds;
    };
    const Case cases[] = {
        {{"dpi", "2", "1250"}, [](const SettingsRecord& r) { return r.dpiStage(1) == 25; }},
        {{"dpi", "4", "5000"}, [](const SettingsRecord& r) { return r.dpiStage(3) == 100; }},
        {{"dpi", "1", "100"}, [](const SettingsRecord& r) { return r.dpiStage(0) == 2; }},
        {{"color", "3", "#12aB34"},
         [](const SettingsRecord& r) {
             return r.stageColour(2) == StageColour{0x12, 0xAB, 0x34};
         }},
        {{"rate", "125"}, [](const SettingsRecord& r) { return r.reportInterval() == 8; }},
        {{"rate", "250"}, [](const SettingsRecord& r) { return r.reportInterval() == 4; }},
        {{"rate", "500"}, [](const SettingsRecord& r) { return r.reportInterval() == 2; }},
        {{"lighting", "0"}, [](const SettingsRecord& r) { return r.lightingMode() == 0; }},
        {{"lighting-level", "3", "6"},
         [](const SettingsRecord& r) { return r.lightingLevel(2) == 6; }},
        {{"sensitivity", "1", "11"},
         [](const SettingsRecord& r) { return r.xSensitivity() == 1 && r.ySensitivity() == 11; }},
        {{"angle-snap", "10"}, [](const SettingsRecord& r) { return r.angleSnapLevel() == 10; }},
        {{"pointer-speed", "12"}, [](const SettingsRecord& r) { return r.pointerSpeed() == 12; }},
        {{"double-click", "1"}, [](const SettingsRecord& r) { return r.doubleClickSpeed() == 1; }},
        {{"scroll-lines", "100"},
         [](const SettingsRecord& r) { return r.wheelScrollLines() == 100; }},
        {{"scroll-mode", "screen"}, [](const SettingsRecord& r) { return r.scrollMode() == 1; }},
        {{"precision", "off"},
         [](const SettingsRecord& r) { return !r.enhancePointerPrecision(); }},
        {{"button", "3", "Multimedia", "Mute"},
         [](const SettingsRecord& r) {
             return r.buttonKind(2) == 7 && r.button(2).multimediaUsage == 0xE2;
         }},
        {{"button", "8", "windows", "run"},
         [](const SettingsRecord& r) {
             return r.buttonKind(7) == 9 && r.button(7).windowsChoice == 6;
         }},
        {{"button", "2", "Double Click"},
         [](const SettingsRecord& r) { return r.buttonKind(1) == 5; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments[1]);
        std::vector<std::string> arguments = {"set"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const CliRun result = run(arguments);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_TRUE(c.holds(saved()));
        EXPECT_EQ(readBytes(data.file("config0.bin"))[0], ProfileFile::kSavedFlag);
        // Only the current profile changes.
        EXPECT_EQ(saved("config1.bin"), DefaultData::record());
    }
    EXPECT_EQ(item(3), "Mute");
    EXPECT_EQ(item(8), "Run");
    EXPECT_EQ(item(2), "Double Click");
    EXPECT_EQ(item(1), "Click");
}

TEST_F(ProfileCommandsCli, ABadValueExitsTwoAndChangesNoFile)
{
    const std::vector<std::vector<std::string>> cases = {
        {"dpi", "5", "800"},
        {"dpi", "1", "50"},
        {"dpi", "1", "5050"},
        {"dpi", "1", "825"},
        {"dpi", "1", "8OO"},
        {"dpi", "1"},
        {"color", "1", "#12345"},
        {"color", "0", "#123456"},
        {"color", "1", "123456Z"},
        {"rate", "333"},
        {"lighting", "4"},
        {"lighting-level", "4", "1"},
        {"lighting-level", "1", "7"},
        {"sensitivity", "0", "5"},
        {"sensitivity", "5", "12"},
        {"angle-snap", "0"},
        {"pointer-speed", "13"},
        {"double-click", "-1"},
        {"scroll-lines", "101"},
        {"scroll-mode", "page"},
        {"precision", "yes"},
        {"volume", "3"},
        {"button", "9", "Click"},
        {"button", "1", "Menu"},
        {"button", "2", "Fly"},
        {"button", "3", "Multimedia"},
        {"button", "3", "Menu", "x"},
        {"button", "3", "HotKey", "Fly"},
    };
    const Bytes profile = readBytes(data.file("config0.bin"));
    const Bytes names = readBytes(data.file("str0.ini"));
    for (const std::vector<std::string>& c : cases) {
        SCOPED_TRACE(c[0] + (c.size() > 1 ? " " + c[1] : ""));
        std::vector<std::string> arguments = {"set"};
        arguments.insert(arguments.end(), c.begin(), c.end());
        const CliRun result = run(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.err.starts_with("volantra-cli: ")) << result.err;
        EXPECT_EQ(readBytes(data.file("config0.bin")), profile);
        EXPECT_EQ(readBytes(data.file("str0.ini")), names);
    }
}

TEST_F(ProfileCommandsCli, TheLeftClickMustStayOnSomeButton)
{
    const CliRun refused = run({"set", "button", "1", "Menu"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("Left key must be selected!"), std::string::npos);
    // With the left click on another button, button 1 may change.
    ASSERT_EQ(run({"set", "button", "2", "Click"}).status, 0);
    ASSERT_EQ(run({"set", "button", "1", "Menu"}).status, 0);
    EXPECT_EQ(saved().buttonKind(0), 1);
}

TEST_F(ProfileCommandsCli, ProfilesListsAndChoosesTheCurrentOne)
{
    std::ofstream(data.file("str.ini"), std::ios::app) << "";
    Result<IniFile> list = IniFile::load(data.file("str.ini"), writer);
    ASSERT_TRUE(list);
    ASSERT_TRUE(list->writeString("Profile", "ItemCount", "3"));
    ASSERT_TRUE(list->writeString("Profile", "Item1", "Work"));
    ASSERT_TRUE(list->writeString("Profile", "Item2", "Play \"x\""));

    CliRun listed = run({"profiles"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "* PROFILE_0\n  Work\n  Play \"x\"\n");

    ASSERT_EQ(run({"profiles", "use", "Work"}).status, 0);
    listed = run({"--json", "profiles"});
    EXPECT_EQ(listed.out, "{\"profiles\":[{\"name\":\"PROFILE_0\",\"index\":0,\"current\":false},"
                          "{\"name\":\"Work\",\"index\":1,\"current\":true},"
                          "{\"name\":\"Play \\\"x\\\"\",\"index\":2,\"current\":false}]}\n");

    // Settings now go to the second profile's file.
    ASSERT_EQ(run({"set", "scroll-lines", "7"}).status, 0);
    EXPECT_EQ(saved("config1.bin").wheelScrollLines(), 7);
    EXPECT_EQ(saved("config0.bin").wheelScrollLines(), 3);

    const Bytes before = readBytes(data.file("str.ini"));
    const CliRun unknown = run({"profiles", "use", "work"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("\"work\""), std::string::npos);
    EXPECT_EQ(readBytes(data.file("str.ini")), before);
}

TEST_F(ProfileCommandsCli, ExportAndImportCarryTheProfileAndItsNames)
{
    test::TemporaryDirectory elsewhere;
    ASSERT_EQ(run({"set", "dpi", "1", "400"}).status, 0);
    ASSERT_EQ(run({"set", "button", "4", "HotKey", "Copy"}).status, 0);
    const CliRun exported = run({"export", elsewhere.file("mine.bin")});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(readBytes(elsewhere.file("mine.bin")), readBytes(data.file("config0.bin")));
    EXPECT_EQ(readBytes(data.file("mine.bin")), readBytes(data.file("config0.bin")));
    EXPECT_TRUE(std::filesystem::exists(data.file("mine.ini")));

    // A second export of the same name would replace the file and its copy: it is
    // refused, unless forced.
    const CliRun again = run({"export", elsewhere.file("mine.bin")});
    EXPECT_EQ(again.status, 2);
    EXPECT_NE(again.err.find(elsewhere.file("mine.bin")), std::string::npos);
    EXPECT_NE(again.err.find("--force"), std::string::npos);
    ASSERT_EQ(run({"export", elsewhere.file("mine.bin"), "--force"}).status, 0);

    ASSERT_EQ(run({"reset"}).status, 0);
    EXPECT_EQ(saved().dpiStage(0), 16);
    EXPECT_EQ(item(4), "IE Backward");
    const CliRun imported = run({"import", elsewhere.file("mine.bin")});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(saved().dpiStage(0), 8);
    EXPECT_EQ(item(4), "Copy");
}

TEST_F(ProfileCommandsCli, ImportRefusesAFileOfTheWrongLength)
{
    test::TemporaryDirectory elsewhere;
    writeBytes(elsewhere.file("bad.bin"), Bytes(1758, 0x11));
    const Bytes before = readBytes(data.file("config0.bin"));
    const CliRun result = run({"import", elsewhere.file("bad.bin")});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(elsewhere.file("bad.bin")), std::string::npos);
    EXPECT_NE(result.err.find("1758"), std::string::npos);
    EXPECT_EQ(readBytes(data.file("config0.bin")), before);
}

TEST_F(ProfileCommandsCli, ResetKeepsTheMacros)
{
    SettingsRecord record = saved();
    DeviceImage macro{};
    macro.fill(0x5A);
    record.setMacroImage(11, macro);
    record.setDpiStage(2, 90);
    record.setProfile(2);
    writeBytes(data.file("config0.bin"), [&] {
        const ProfileFile::Bytes bytes = ProfileFile::serialize(record);
        return Bytes(bytes.begin(), bytes.end());
    }());
    ASSERT_EQ(run({"reset"}).status, 0);
    const SettingsRecord reset = saved();
    EXPECT_EQ(reset.dpiStage(2), 48);
    EXPECT_EQ(reset.macroImage(11), macro);
    EXPECT_EQ(reset.profile(), 2);
}

TEST_F(ProfileCommandsCli, ImagesWithoutAFileShowTheCurrentProfile)
{
    ASSERT_EQ(run({"set", "dpi", "3", "2000"}).status, 0);
    const CliRun current = run({"images"});
    ASSERT_EQ(current.status, 0) << current.err;
    const CliRun named = run({"images", "--profile", data.file("config0.bin")});
    EXPECT_EQ(current.out, named.out);
    EXPECT_NE(current.out, run({"images", "--profile", data.file("config1.bin")}).out);
}

TEST_F(ProfileCommandsCli, ApplyWithoutAFileSendsAndSavesTheCurrentProfile)
{
    SettingsRecord record = saved();
    record.setProfile(5);
    writeBytes(data.file("config0.bin"), [&] {
        ProfileFile::Bytes bytes = ProfileFile::serialize(record);
        bytes[0] = 0;
        return Bytes(bytes.begin(), bytes.end());
    }());
    Result<IniFile> ini = IniFile::load(data.file("str0.ini"), writer);
    ASSERT_TRUE(ini);
    ASSERT_TRUE(ini->removeKey("Setting-EN", "Item5"));

    const std::string trace = data.file("trace.log");
    const CliRun applied = run({"--simulate", "--trace", trace, "apply"});
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_FALSE(test::readLines(trace).empty());
    const Bytes file = readBytes(data.file("config0.bin"));
    ASSERT_EQ(file.size(), ProfileFile::kSize);
    EXPECT_EQ(file[0], ProfileFile::kSavedFlag);
    EXPECT_EQ(file[1], 0); // Apply sends to profile 0 and saves that
    EXPECT_EQ(item(1), "Click");
    EXPECT_EQ(item(5), ""); // the names are written as the profile had them
    Result<IniFile> after = IniFile::load(data.file("str0.ini"), writer);
    EXPECT_TRUE(after->document().hasKey("Setting-EN", "Item5"));
}

// apply sends the current profile as the window's Save does, pointer settings included,
// unless told not to; a file named with --profile is only sent.
TEST_F(ProfileCommandsCli, ApplySetsTheDesktopsPointerSettingsUnlessToldNot)
{
    ASSERT_EQ(run({"set", "pointer-speed", "7"}).status, 0);
    ASSERT_EQ(run({"set", "double-click", "3"}).status, 0);
    const struct
    {
        std::vector<std::string> options;
        int applies;
    } cases[] = {{{}, 1}, {{"--no-pointer"}, 0}, {{"--profile", data.file("config0.bin")}, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.empty() ? "plain" : c.options[0]);
        desktop = MemoryPointerSettings();
        std::vector<std::string> arguments{"--simulate", "apply"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CliRun applied = run(arguments);
        ASSERT_EQ(applied.status, 0) << applied.err;
        EXPECT_EQ(desktop.applyCount(), c.applies);
    }
    desktop = MemoryPointerSettings();
    ASSERT_EQ(run({"--simulate", "apply"}).status, 0);
    EXPECT_EQ(desktop.current(), pointerValuesFor(saved()));
    EXPECT_EQ(desktop.current().speed, 12) << "dial 7 is speed 2 x 7 - 2";
}

// A setting the desktop refuses is told, and apply does not claim to be done.
TEST_F(ProfileCommandsCli, APointerSettingTheDesktopRefusesFailsApply)
{
    class RefusingDesktop final : public PointerSettings
    {
    public:
        std::string desktopName() const override { return "Refusing"; }
        PointerReport apply(const PointerValues&) override
        {
            PointerReport report;
            report.set(PointerSetting::Speed,
                       SettingOutcome::failed({Error::Kind::Io, "speed is locked"}));
            return report;
        }
    } refusing;
    const CliRun applied = test::runCliCapturing(
        {"--data-dir", data.path().string(), "--simulate", "apply"}, &refusing);
    EXPECT_EQ(applied.status, 1);
    EXPECT_NE(applied.err.find("SETMOUSESPEED failed. speed is locked"), std::string::npos)
        << applied.err;
}

TEST_F(ProfileCommandsCli, ABrokenCurrentProfileStopsApplyBeforeTheMouse)
{
    writeBytes(data.file("config0.bin"), Bytes(100, 0));
    const std::string trace = data.file("trace.log");
    const CliRun applied = run({"--simulate", "--trace", trace, "apply"});
    EXPECT_NE(applied.status, 0);
    EXPECT_NE(applied.err.find("config0.bin"), std::string::npos);
    EXPECT_TRUE(test::readLines(trace).empty());
}

// `help set` promises the values of each key: every key it lists is one set knows, and
// for the keys of one number, both ends of the range it gives are taken and the numbers
// just outside are refused.
TEST_F(ProfileCommandsCli, HelpSetListsTheKeysWithTheValuesSetTakes)
{
    const CliRun help = run({"help", "set"});
    ASSERT_EQ(help.status, 0);
    EXPECT_EQ(run({"set", "--help"}).out, help.out);
    std::istringstream lines(help.out);
    int keys = 0;
    int ranges = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string key, argument, low, to, high, extra;
        if (line.rfind("  ", 0) != 0 || line[2] == ' ' || !(words >> key))
            continue;
        ++keys;
        SCOPED_TRACE(line);
        EXPECT_EQ(run({"set", key}).err.find("unknown setting"), std::string::npos);
        if (!(words >> argument >> low >> to >> high) || to != "to" || (words >> extra))
            continue;
        ++ranges;
        const int first = std::stoi(low);
        const int last = std::stoi(high);
        EXPECT_EQ(run({"set", key, low}).status, 0);
        EXPECT_EQ(run({"set", key, high}).status, 0);
        EXPECT_EQ(run({"set", key, std::to_string(first - 1)}).status, 2);
        EXPECT_EQ(run({"set", key, std::to_string(last + 1)}).status, 2);
    }
    EXPECT_EQ(keys, 13);
    EXPECT_EQ(ranges, 5);
    // Every function of the menu that set takes is named, with its choices.
    for (const char* named : {"Click", "Scroll Select: Mouse M Button", "CPI Cycle: DPI +",
                              "HotKey: New", "Windows: My computer", "Button Off"})
        EXPECT_NE(help.out.find(named), std::string::npos) << named;
}

TEST_F(ProfileCommandsCli, ADataDirThatCannotBeMadeIsNamed)
{
    const std::string blocked = data.file("config0.bin") + "/data";
    const CliRun refused = test::runCliCapturing({"--data-dir", blocked, "profiles"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err.rfind("volantra-cli: " + blocked + ": cannot create the data folder", 0),
              0u)
        << refused.err;
}

// What a user can do to the data folder by mistake, by a kill or by a damaged file: each
// command either does the sound thing or refuses, naming the file, and changes nothing.
TEST_F(ProfileCommandsCli, TheDataFolderIsNeverDamagedByACommand)
{
    const auto touch = [&](const std::string& name, const std::string& text) {
        writeBytes(data.file(name), Bytes(text.begin(), text.end()));
    };
    const auto stale = [&](const std::string& name) {
        touch(name, "left by a killed program");
        std::filesystem::last_write_time(
            data.file(name), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    };
    struct Case
    {
        const char* what;
        std::function<void()> before;
        std::vector<std::string> arguments;
        int status;
        std::string named; // in the message
        std::function<void()> check;
    };
    const auto unchanged = [&](const char* name, const Bytes& was) {
        return [=, this] { EXPECT_EQ(readBytes(data.file(name)), was) << name; };
    };
    const Bytes profile0 = readBytes(data.file("config0.bin"));
    const Bytes defaults = readBytes(data.file("config.bin"));
    const Bytes list = readBytes(data.file("str.ini"));
    const Bytes macros = readBytes(data.file("record.ini"));
    const Case cases[] = {
        {"export over a profile",
         {},
         {"export", data.file("config3")},
         2,
         "config3.bin",
         [&] { EXPECT_FALSE(std::filesystem::exists(data.file("config3.ini"))); }},
        {"export over the defaults",
         {},
         {"export", data.file("Config.BIN")},
         2,
         "Config.bin",
         unchanged("config.bin", defaults)},
        {"export over the list",
         {},
         {"export", data.file("str")},
         2,
         "str.ini",
         unchanged("str.ini", list)},
        {"export over the macros",
         {},
         {"export", data.file("record"), "--force"},
         2,
         "record.ini",
         unchanged("record.ini", macros)},
        {"reset repairs a damaged profile",
         [&] { touch("config0.bin", "short"); },
         {"reset"},
         0,
         "",
         [&] { EXPECT_EQ(readBytes(data.file("config0.bin")).size(), ProfileFile::kSize); }},
        {"import repairs a damaged profile",
         [&] { touch("config0.bin", "short"); },
         {"import", data.file("config1.bin")},
         0,
         "",
         [&] { EXPECT_EQ(saved().dpiStage(0), saved("config1.bin").dpiStage(0)); }},
        {"leftovers of killed programs go",
         [&] {
             stale(".config0.bin.tmp-0123456789");
             touch(".str0.ini.pending", "a save that never finished");
         },
         {"set", "scroll-lines", "9"},
         0,
         "",
         [&] {
             EXPECT_FALSE(std::filesystem::exists(data.file(".config0.bin.tmp-0123456789")));
             EXPECT_FALSE(std::filesystem::exists(data.file(".str0.ini.pending")));
             EXPECT_NE(item(1), "a save that never finished");
         }},
        {"a save cut short is finished first",
         [&] {
             Bytes pending = readBytes(data.file("config1.bin"));
             writeBytes(data.file(".config0.bin.pending"), pending);
             touch(".volantra-save.journal", "config0.bin\n");
         },
         {"set", "scroll-lines", "9"},
         0,
         "",
         [&] {
             SettingsRecord expected = saved("config1.bin");
             expected.setWheelScrollLines(9);
             EXPECT_EQ(saved(), expected);
             EXPECT_FALSE(std::filesystem::exists(data.file(".volantra-save.journal")));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(data.file("config0.bin"), profile0);
        if (c.before)
            c.before();
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(c.named), std::string::npos) << result.err;
        c.check();
    }
}

TEST_F(ProfileCommandsCli, ChangesAtTheSameTimeAreNeverLost)
{
    for (int round = 0; round < 10; ++round) {
        const std::string lines = std::to_string(round + 1);
        const std::string speed = std::to_string(round % 12 + 1);
        std::thread other([&] {
            const CliRun r = run({"set", "scroll-lines", lines});
            EXPECT_EQ(r.status, 0) << r.err;
        });
        EXPECT_EQ(run({"set", "pointer-speed", speed}).status, 0);
        other.join();
        const SettingsRecord record = saved();
        EXPECT_EQ(record.wheelScrollLines(), round + 1);
        EXPECT_EQ(record.pointerSpeed(), round % 12 + 1);
    }
}

} // namespace
} // namespace volantra
