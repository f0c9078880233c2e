// The data folder rules of the Windows program: the program's own folder when it holds
// config.bin, else %APPDATA%\Volantra filled from the installed defaults.
#include "model/data_directory.h"
#include "support/temporary_directory.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <windows.h>

namespace volantra {
namespace {

namespace fs = std::filesystem;

TEST(WindowsDataDirectory, InputsComeFromAppDataAndTheProgramsFolder)
{
    const DataDirectory::Inputs inputs = DataDirectory::inputsFromEnvironment(std::nullopt);
    wchar_t appData[MAX_PATH];
    ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
    ASSERT_TRUE(inputs.appData.has_value());
    EXPECT_EQ(fs::path(*inputs.appData), fs::path(appData));
    EXPECT_FALSE(inputs.xdgDataHome.has_value());
    EXPECT_FALSE(inputs.executableFolder.empty());
    EXPECT_TRUE(fs::is_directory(inputs.executableFolder));
}

TEST(WindowsDataDirectory, AppDataVolantraIsFilledWithoutReplacingFiles)
{
    test::TemporaryDirectory root;
    fs::create_directories(root.path() / "defaults");
    test::writeBytes((root.path() / "defaults" / "config.bin").string(), {1, 2, 3});
    test::writeBytes((root.path() / "defaults" / "str.ini").string(), {'d'});
    fs::create_directories(root.path() / "AppData" / "Volantra");
    test::writeBytes((root.path() / "AppData" / "Volantra" / "str.ini").string(), {'u'});

    DataDirectory::Inputs inputs;
    inputs.executableFolder = (root.path() / "bin").string();
    inputs.appData = (root.path() / "AppData").string();
    inputs.installedDefaults = (root.path() / "defaults").string();
    auto folder = DataDirectory::resolve(inputs);
    ASSERT_TRUE(folder.ok()) << folder.error().message;
    EXPECT_EQ(fs::path(folder->path()), root.path() / "AppData" / "Volantra");
    EXPECT_EQ(test::readBytes(folder->file("config.bin")), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(test::readText(folder->file("str.ini")), "u");
}

TEST(WindowsDataDirectory, TheProgramsOwnFolderWhenItHoldsConfigBin)
{
    test::TemporaryDirectory root;
    fs::create_directories(root.path() / "portable");
    test::writeBytes((root.path() / "portable" / "config.bin").string(), {7});
    DataDirectory::Inputs inputs;
    inputs.executableFolder = (root.path() / "portable").string();
    inputs.appData = (root.path() / "AppData").string();
    auto folder = DataDirectory::resolve(inputs);
    ASSERT_TRUE(folder.ok()) << folder.error().message;
    EXPECT_EQ(fs::path(folder->path()), root.path() / "portable");
    EXPECT_FALSE(fs::exists(root.path() / "AppData"));
}

} // namespace
} // namespace volantra
