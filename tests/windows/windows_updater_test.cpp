// The firmware updater on Windows: GetNativeSystemInfo chooses Update\X64 or Update\X86, and the
// updater is FwUpdate.exe there.
#include "common/machine_name.h"
#include "help/help_panel_rules.h"
#include "help/updater_launch.h"
#include "support/temporary_directory.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace volantra {
namespace {

namespace fs = std::filesystem;

TEST(WindowsUpdater, TheMachineNameComesFromGetNativeSystemInfo)
{
    // wine runs 64-bit programs on an x64 machine (architecture 9).
    EXPECT_EQ(machineName(), "x86_64");
}

TEST(WindowsUpdater, FindsUpdateX64FwUpdateExe)
{
    test::TemporaryDirectory data;
    fs::create_directories(data.path() / "Update" / "X64");
    test::writeBytes((data.path() / "Update" / "X64" / "FwUpdate.exe").string(), {'M', 'Z'});
    const Result<std::string> found = help_panel_rules::findUpdater(data.path().string(), "x86_64");
    ASSERT_TRUE(found.ok()) << found.error().message;
    EXPECT_EQ(fs::path(*found), data.path() / "Update" / "X64" / "FwUpdate.exe");
    const Result<std::string> x86 = help_panel_rules::findUpdater(data.path().string(), "i686");
    ASSERT_FALSE(x86.ok());
    EXPECT_EQ(x86.error().kind, Error::Kind::NotFound);
}

TEST(WindowsUpdater, AMissingUpdaterIsNamed)
{
    test::TemporaryDirectory data;
    const Status launched = launchFirmwareUpdater(data.path().string(), machineName());
    ASSERT_FALSE(launched.ok());
    EXPECT_NE(launched.error().message.find("FwUpdate.exe was not found"), std::string::npos)
        << launched.error().message;
}

} // namespace
} // namespace volantra
