#include "help/help_panel_rules.h"
#include "support/temporary_directory.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace volantra {
namespace {

namespace fs = std::filesystem;
using namespace help_panel_rules;

TEST(HelpPanelRules, OpensOnlyWebAddresses)
{
    struct Case
    {
        const char* text;
        std::optional<std::string> opened;
    };
    const Case cases[] = {
        {"https://www.volantra.example/en/", "https://www.volantra.example/en/"},
        {"http://volantra.example", "http://volantra.example"},
        {"  HTTPS://volantra.example/a?b=c#d \n", "HTTPS://volantra.example/a?b=c#d"},
        {"https://user@volantra.example:8443/", "https://user@volantra.example:8443/"},
        {"https://[2001:db8::1]/", "https://[2001:db8::1]/"},
        {"file:///usr/share/applications/evil.desktop", std::nullopt},
        {"/usr/share/applications/evil.desktop", std::nullopt},
        {"evil.desktop", std::nullopt},
        {"www.volantra.example", std::nullopt},
        {"ftp://volantra.example/", std::nullopt},
        {"javascript:alert(1)", std::nullopt},
        {"https://", std::nullopt},
        {"https:///etc/passwd", std::nullopt},
        {"https://:443/", std::nullopt},
        {"https://user@/", std::nullopt},
        {"https://volantra.example/a b", std::nullopt},
        {"https://volantra.example/\x01", std::nullopt},
        {"https:\\\\volantra.example\\", std::nullopt},
        {"httpsx://volantra.example/", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(openableWebAddress(c.text), c.opened);
    }
}

TEST(HelpPanelRules, TheFirstLineIsAReadableLinkOrTheProgramsName)
{
    struct Case
    {
        const char* configured;
        std::string shown;
        std::optional<std::string> link;
    };
    const Case cases[] = {
        {"https://www.volantra.org/en/", "www.volantra.org/en", "https://www.volantra.org/en/"},
        {"HTTP://volantra.org", "volantra.org", "HTTP://volantra.org"},
        {" https://volantra.org/a/ ", "volantra.org/a", "https://volantra.org/a/"},
        {"", "Volantra", std::nullopt},
        {"file:///usr/share/applications/evil.desktop", "Volantra", std::nullopt},
        {"www.volantra.org", "Volantra", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.configured);
        const WebAddressLine line = webAddressLine(c.configured, "Volantra");
        EXPECT_EQ(line.text, c.shown);
        EXPECT_EQ(line.link, c.link);
    }
}

TEST(HelpPanelRules, ChoosesTheUpdaterByMachine)
{
    struct Case
    {
        const char* machine;
        std::optional<std::string> path;
    };
    const Case cases[] = {
        {"x86_64", "Update/X64/FwUpdate"}, {"amd64", "Update/X64/FwUpdate"},
        {"i686", "Update/X86/FwUpdate"},   {"i386", "Update/X86/FwUpdate"},
        {"i586", "Update/X86/FwUpdate"},   {"aarch64", std::nullopt},
        {"armv7l", std::nullopt},          {"riscv64", std::nullopt},
        {"X86_64", std::nullopt},          {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.machine);
        EXPECT_EQ(updaterRelativePath(c.machine), c.path);
    }
}

TEST(HelpPanelRules, FindsAnInstalledUpdaterOrSaysWhyThereIsNone)
{
    test::TemporaryDirectory data;
    const auto install = [&](const std::string& relative, fs::perms permissions) {
        const fs::path path = data.path() / relative;
        fs::create_directories(path.parent_path());
        test::writeBytes(path.string(), {'#', '!'});
        fs::permissions(path, permissions);
    };
    install("Update/X64/FwUpdate", fs::perms::owner_all);
    install("Update/X86/FwUpdate", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(data.path() / "Update/X64/FwUpdate.exe");

    struct Case
    {
        const char* name;
        const char* machine;
        std::optional<std::string> found;
        Error::Kind kind;
        const char* told; // part of the message
    };
    const Case cases[] = {
        {"installed", "x86_64", data.file("Update/X64/FwUpdate"), {}, ""},
        {"not executable", "i686", std::nullopt, Error::Kind::InvalidInput,
         "Update/X86/FwUpdate is not a program"},
        {"no updater for the machine", "aarch64", std::nullopt, Error::Kind::NotFound,
         "no firmware updater for this kind of computer (aarch64)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<std::string> updater = findUpdater(data.path().string(), c.machine);
        ASSERT_EQ(updater.ok(), c.found.has_value());
        if (c.found) {
            EXPECT_EQ(*updater, *c.found);
        } else {
            EXPECT_EQ(updater.error().kind, c.kind);
            EXPECT_NE(updater.error().message.find(c.told), std::string::npos)
                << updater.error().message;
        }
    }

    test::TemporaryDirectory empty;
    const Result<std::string> missing = findUpdater(empty.path().string(), "x86_64");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, Error::Kind::NotFound);
    EXPECT_EQ(missing.error().message, "No firmware updater is installed: " +
                                           empty.file("Update/X64/FwUpdate") + " was not found.");
    // A folder of the updater's name is no program either.
    fs::create_directories(empty.path() / "Update/X86/FwUpdate");
    const Result<std::string> folder = findUpdater(empty.path().string(), "i386");
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().kind, Error::Kind::InvalidInput);
}

} // namespace
} // namespace volantra
