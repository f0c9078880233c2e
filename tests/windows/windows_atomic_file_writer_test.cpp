#include "platform/windows/wide_string.h"
#include "platform/windows/windows_atomic_file_writer.h"
#include "support/temporary_directory.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <windows.h>

namespace volantra {
namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

std::string readWide(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buffer[4096];
    DWORD got = 0;
    ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(file);
    return std::string(buffer, got);
}

std::vector<std::string> entriesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(WindowsAtomicFileWriter, CreatesAndReplacesAFile)
{
    test::TemporaryDirectory folder;
    WindowsAtomicFileWriter writer;
    const std::string path = folder.file("config.bin");
    ASSERT_TRUE(writer.writeFile(path, bytesOf("first")).ok());
    EXPECT_EQ(test::readText(path), "first");
    ASSERT_TRUE(writer.writeFile(path, bytesOf("second, longer")).ok());
    EXPECT_EQ(test::readText(path), "second, longer");
    EXPECT_EQ(entriesIn(folder.path()),
              std::vector<std::string>{"config.bin"}); // no temporary left
}

TEST(WindowsAtomicFileWriter, AFailedReplacementKeepsTheOldFileWhole)
{
    test::TemporaryDirectory folder;
    WindowsAtomicFileWriter writer;
    const std::string path = folder.file("str.ini");
    ASSERT_TRUE(writer.writeFile(path, bytesOf("[Profile]\nold=1\n")).ok());
    // Another program holds the file open without sharing deletion: nothing may replace it.
    HANDLE holder = CreateFileW(windowsPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const Status written = writer.writeFile(path, bytesOf("[Profile]\nnew=2\n"));
    CloseHandle(holder);
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().message.find(path), std::string::npos) << written.error().message;
    EXPECT_EQ(test::readText(path), "[Profile]\nold=1\n");
    EXPECT_EQ(entriesIn(folder.path()), std::vector<std::string>{"str.ini"});
}

TEST(WindowsAtomicFileWriter, AMissingFolderIsNamedAndNothingIsCreated)
{
    test::TemporaryDirectory folder;
    WindowsAtomicFileWriter writer;
    const Status written = writer.writeFile(folder.file("missing/config.bin"), bytesOf("x"));
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().kind, Error::Kind::NotFound) << written.error().message;
}

TEST(WindowsAtomicFileWriter, MoveOverPutsTheFileInPlace)
{
    test::TemporaryDirectory folder;
    WindowsAtomicFileWriter writer;
    ASSERT_TRUE(writer.writeFile(folder.file("a.bin"), bytesOf("old")).ok());
    ASSERT_TRUE(writer.writeFile(folder.file("b.bin"), bytesOf("new")).ok());
    ASSERT_TRUE(writer.moveOver(folder.file("b.bin"), folder.file("a.bin")).ok());
    EXPECT_EQ(test::readText(folder.file("a.bin")), "new");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "b.bin"));
}

TEST(WindowsAtomicFileWriter, UsesUtf8PathsWithNonAsciiFolders)
{
    test::TemporaryDirectory folder;
    WindowsAtomicFileWriter writer;
    const std::string base = folder.path().string() + "\\Mäuse-名前";
    ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(base).c_str(), nullptr));
    const std::string path = base + "/config.bin";
    ASSERT_TRUE(writer.writeFile(path, bytesOf("ü")).ok());
    ASSERT_TRUE(writer.writeFile(path, bytesOf("ü2")).ok());
    EXPECT_EQ(readWide(wideFromUtf8(base) + L"\\config.bin"), "ü2");
    // The process code page is UTF-8 (the manifest), so the narrow file calls agree.
    EXPECT_EQ(GetACP(), 65001u);
    EXPECT_EQ(test::readText(path), "ü2");
}

} // namespace
} // namespace volantra
