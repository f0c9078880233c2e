#include "model/data_directory.h"
#include "support/temporary_directory.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace volantra {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

std::string readText(const fs::path& path)
{
    std::ifstream stream(path);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

class DataDirectoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeText(root.path() / "share/volantra/config.bin", "factory");
        writeText(root.path() / "share/volantra/str.ini", "[Profile]\n");
        writeText(root.path() / "share/volantra/Skins/Default/main.png", "png");
        fs::create_directories(root.path() / "bin");
        inputs.executableFolder = (root.path() / "bin").string();
        inputs.installedDefaults = (root.path() / "share/volantra").string();
        inputs.home = (root.path() / "home").string();
    }

    test::TemporaryDirectory root;
    DataDirectory::Inputs inputs;
};

TEST_F(DataDirectoryTest, ChoosesTheFolderInOrder)
{
    struct Case
    {
        const char* name;
        bool override;
        bool portable;
        bool xdg;
        const char* expected; // relative to the root
    } cases[] = {
        {"override wins over everything", true, true, true, "custom"},
        {"a portable install keeps its files beside the program", false, true, true, "bin"},
        {"XDG_DATA_HOME", false, false, true, "xdg/volantra"},
        {"HOME when XDG_DATA_HOME is unset", false, false, false, "home/.local/share/volantra"},
    };
    for (const Case& c : cases) {
        DataDirectory::Inputs given = inputs;
        if (c.override)
            given.overridePath = (root.path() / "custom").string();
        if (c.portable)
            writeText(root.path() / "bin/config.bin", "portable");
        else
            fs::remove(root.path() / "bin/config.bin");
        if (c.xdg)
            given.xdgDataHome = (root.path() / "xdg").string();
        Result<DataDirectory> directory = DataDirectory::resolve(given);
        ASSERT_TRUE(directory.ok()) << c.name << ": " << directory.error().message;
        // Compared as paths: Windows writes the same folder with backslashes.
        EXPECT_EQ(fs::path(directory->path()), (root.path() / c.expected).lexically_normal())
            << c.name;
        EXPECT_TRUE(fs::is_directory(directory->path())) << c.name;
    }
}

TEST_F(DataDirectoryTest, FirstStartCopiesTheDefaultsAndNeverReplacesTheUsersFiles)
{
    inputs.xdgDataHome = (root.path() / "xdg").string();
    Result<DataDirectory> first = DataDirectory::resolve(inputs);
    ASSERT_TRUE(first.ok()) << first.error().message;
    EXPECT_EQ(readText(first->file("config.bin")), "factory");
    EXPECT_EQ(readText(first->file("Skins/Default/main.png")), "png");

    writeText(first->file("config.bin"), "mine");
    fs::remove(first->file("str.ini"));
    fs::remove_all(first->file("Skins"));
    Result<DataDirectory> again = DataDirectory::resolve(inputs);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(readText(again->file("config.bin")), "mine");
    EXPECT_EQ(readText(again->file("str.ini")), "[Profile]\n") << "a missing default is restored";
    EXPECT_EQ(readText(again->file("Skins/Default/main.png")), "png")
        << "and so is a missing folder of defaults";
    EXPECT_FALSE(fs::exists(again->file(".volantra-write-test")));
}

TEST_F(DataDirectoryTest, OverrideAndPortableFoldersAreNotFilled)
{
    inputs.overridePath = (root.path() / "custom").string();
    Result<DataDirectory> directory = DataDirectory::resolve(inputs);
    ASSERT_TRUE(directory.ok());
    EXPECT_FALSE(fs::exists(directory->file("config.bin")));
}

TEST_F(DataDirectoryTest, TheWindowProgramSetsUpAFolderGivenOnTheCommandLine)
{
    inputs.overridePath = (root.path() / "custom").string();
    inputs.fillOverride = true;
    Result<DataDirectory> directory = DataDirectory::resolve(inputs);
    ASSERT_TRUE(directory.ok());
    EXPECT_TRUE(fs::exists(directory->file("config.bin")));
}

TEST_F(DataDirectoryTest, AFolderThatCannotBeCreatedIsNamedInTheMessage)
{
    writeText(root.path() / "file", "not a folder");
    inputs.overridePath = (root.path() / "file/volantra").string();
    Result<DataDirectory> directory = DataDirectory::resolve(inputs);
    ASSERT_FALSE(directory.ok());
    EXPECT_EQ(directory.error().message.rfind(*inputs.overridePath + ": cannot create", 0), 0u)
        << directory.error().message;

    inputs.overridePath = (root.path() / "file").string();
    directory = DataDirectory::resolve(inputs);
    ASSERT_FALSE(directory.ok());
    EXPECT_EQ(directory.error().message,
              *inputs.overridePath + ": the data folder is not a folder");
}

TEST_F(DataDirectoryTest, NoHomeAtAllAsksForDataDir)
{
    inputs.home.reset();
    Result<DataDirectory> directory = DataDirectory::resolve(inputs);
    ASSERT_FALSE(directory.ok());
    EXPECT_NE(directory.error().message.find("--data-dir"), std::string::npos);
}

} // namespace
} // namespace volantra
