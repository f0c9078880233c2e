#include "model/ini_file.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/temporary_directory.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace volantra {
namespace {

using test::TemporaryDirectory;

using test::readText;

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

IniFile loaded(const std::string& path, AtomicFileWriter& writer)
{
    Result<IniFile> file = IniFile::load(path, writer);
    EXPECT_TRUE(file.ok()) << (file ? "" : file.error().message);
    return file ? std::move(*file) : IniFile(path, writer);
}

TEST(IniFile, AMissingFileIsEmptyAndTheFirstWriteCreatesIt)
{
    TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    const std::string path = directory.file("record.ini");

    IniFile file = loaded(path, writer);
    EXPECT_TRUE(file.sectionNames().empty());
    EXPECT_EQ(file.readString("Macro_0", "MacroLoopTimes", "none"), "none");
    EXPECT_FALSE(std::filesystem::exists(path));

    ASSERT_TRUE(file.writeString("Macro_0", "MacroLoopTimes", "1").ok());
    EXPECT_EQ(readText(path), "[Macro_0]\nMacroLoopTimes=1\n");
    EXPECT_EQ(loaded(path, writer).readInt("macro_0", "macrolooptimes", 0), 1);
}

TEST(IniFile, EditsThatChangeNothingWriteNothing)
{
    TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    const std::string path = directory.file("record.ini");

    IniFile file = loaded(path, writer);
    ASSERT_TRUE(file.removeKey("Macro_0", "Item0").ok());
    ASSERT_TRUE(file.removeSection("Macro_0").ok());
    EXPECT_FALSE(std::filesystem::exists(path)); // deleting from no file makes no file

    writeFile(path, "[S]\nK = v\n");
    file = loaded(path, writer);
    std::filesystem::remove(path); // so that a needless save would show
    ASSERT_TRUE(file.writeString("S", "K", "v").ok());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(IniFile, EditOfAFileFromAnotherEditorKeepsEveryOtherByte)
{
    TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    const std::string path = directory.file("str0.ini");
    writeFile(path, "\xEF\xBB\xBF; written by hand\r\n"
                    "[Setting-EN]\r\n"
                    "Item1 = Left Click\r\n"
                    "Item2=\"  Right Click  \"\r\n"
                    "\r\n"
                    "[Skins]\r\n"
                    "Lan=EN\r\n"
                    "Path  =  Default   \r\n"
                    "RColor=255");

    IniFile file = loaded(path, writer);
    EXPECT_EQ(file.readString("setting-en", "ITEM2", ""), "  Right Click  ");
    EXPECT_EQ(file.readString("Skins", "Path", ""), "Default");
    EXPECT_EQ(file.readInt("Skins", "RColor", 0), 255);

    ASSERT_TRUE(file.writeString("Setting-EN", "Item1", "Forward").ok());
    ASSERT_TRUE(file.writeString("Setting-EN", "Item3", "Middle Click").ok());
    ASSERT_TRUE(file.writeString("Skins", "GColor", "0").ok());
    EXPECT_EQ(readText(path), "\xEF\xBB\xBF; written by hand\r\n"
                              "[Setting-EN]\r\n"
                              "Item1 = Forward\r\n"
                              "Item2=\"  Right Click  \"\r\n"
                              "Item3=Middle Click\r\n"
                              "\r\n"
                              "[Skins]\r\n"
                              "Lan=EN\r\n"
                              "Path  =  Default   \r\n"
                              "RColor=255\r\n"
                              "GColor=0\r\n");
}

TEST(IniFile, BatchedEditsReachTheDiskInOneSave)
{
    TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    const std::string path = directory.file("str0.ini");
    writeFile(path, "[Setting-EN]\nItem1=a\n");

    IniFile file = loaded(path, writer);
    for (int i = 1; i <= 8; ++i)
        ASSERT_TRUE(
            file.document()
                .writeString("Setting-EN", "Item" + std::to_string(i), "B" + std::to_string(i))
                .ok());
    EXPECT_EQ(readText(path), "[Setting-EN]\nItem1=a\n"); // nothing written yet

    ASSERT_TRUE(file.save().ok());
    const IniFile reread = loaded(path, writer);
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(reread.readString("Setting-EN", "Item" + std::to_string(i), ""),
                  "B" + std::to_string(i));
}

TEST(IniFile, AFailedSaveLeavesDocumentAndDiskAsTheyWere)
{
    TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    const std::string path = directory.file("profiles/str.ini");
    std::filesystem::create_directory(directory.path() / "profiles");
    writeFile(path, "[Profile]\nItemCount=1\nItem0=Default\n");
    IniFile file = loaded(path, writer);
    // Take the folder away: the save cannot create its temporary file.
    std::filesystem::rename(directory.path() / "profiles", directory.path() / "moved");

    struct Case
    {
        const char* name;
        std::function<Status(IniFile&)> edit;
    } cases[] = {
        {"write", [](IniFile& f) { return f.writeString("Profile", "ItemCount", "2"); }},
        {"remove key", [](IniFile& f) { return f.removeKey("Profile", "Item0"); }},
        {"remove section", [](IniFile& f) { return f.removeSection("Profile"); }},
        {"replace section",
         [](IniFile& f) {
             const IniEntry entries[] = {{"ItemCount", "0"}};
             return f.replaceSection("Profile", entries);
         }},
        {"rename section", [](IniFile& f) { return f.renameSection("Profile", "Old"); }},
    };
    const IniDocument before = file.document();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Status status = c.edit(file);
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.error().message.find(path), std::string::npos) << status.error().message;
        EXPECT_TRUE(file.document() == before);
    }
    EXPECT_EQ(readText(directory.file("moved/str.ini")), "[Profile]\nItemCount=1\nItem0=Default\n");
}

TEST(IniFile, RefusedEditsNameTheFileAndWriteNothing)
{
    TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    const std::string path = directory.file("record.ini");
    IniFile file(path, writer);

    const Status status = file.writeString("Macro_1", "Item0", "A   Dn\n[Injected]");
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().kind, Error::Kind::InvalidInput);
    EXPECT_EQ(status.error().message.rfind(path, 0), 0u) << status.error().message;
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(IniFile, KeepsAUtf16FileUtf16)
{
    TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    const std::string path = directory.file("str1.ini");
    // "[Skins]\r\nPath=Dark\r\n" in UTF-16LE with its mark.
    std::string before = "\xFF\xFE";
    for (char c : std::string("[Skins]\r\nPath=Dark\r\n"))
        before += std::string{c, '\0'};
    writeFile(path, before);

    IniFile file = loaded(path, writer);
    EXPECT_EQ(file.readString("Skins", "Path", ""), "Dark");
    ASSERT_TRUE(file.writeString("Skins", "Path", "Blue").ok());
    std::string after = "\xFF\xFE";
    for (char c : std::string("[Skins]\r\nPath=Blue\r\n"))
        after += std::string{c, '\0'};
    EXPECT_EQ(readText(path), after);
}

TEST(IniFile, LoadFailuresNameTheFile)
{
    TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    std::filesystem::create_directory(directory.path() / "folder.ini");
    writeFile(directory.file("huge.ini"), std::string(IniFile::kMaxFileSize + 1, ';'));

    struct Case
    {
        const char* name;
        std::string path;
    } cases[] = {
        {"a folder", directory.file("folder.ini")},
        {"a file too large for settings", directory.file("huge.ini")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<IniFile> file = IniFile::load(c.path, writer);
        ASSERT_FALSE(file.ok());
        EXPECT_NE(file.error().message.find(c.path), std::string::npos) << file.error().message;
    }

    writeFile(directory.file("largest.ini"), std::string(IniFile::kMaxFileSize, ';'));
    EXPECT_TRUE(IniFile::load(directory.file("largest.ini"), writer).ok());
}

TEST(IniFile, RestorePutsTheFileBackAsReadBytesFoundIt)
{
    // A file with an odd last byte of UTF-16 and a stray line: a parse and serialize
    // would not give these bytes back, a restore must.
    const std::string handMade = std::string("\xFF\xFE[\0A\0]\0\n\0x\0=\0"
                                             "1\0\n\0?",
                                             19);
    struct Case
    {
        const char* name;
        std::optional<std::string> before; // nothing: no file
    } cases[] = {
        {"a file of another editor", handMade},
        {"an empty file", std::string()},
        {"no file", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory;
        PosixAtomicFileWriter writer;
        const std::string path = directory.file("record.ini");
        if (c.before)
            writeFile(path, *c.before);

        Result<std::optional<std::vector<std::uint8_t>>> bytes = IniFile::readBytes(path);
        ASSERT_TRUE(bytes.ok());
        ASSERT_EQ(bytes->has_value(), c.before.has_value());
        IniFile file = *bytes ? IniFile::fromBytes(path, writer, **bytes) : IniFile(path, writer);
        ASSERT_TRUE(file.writeString("Macro_0", "MacroLoopTimes", "1").ok());
        ASSERT_TRUE(std::filesystem::exists(path));

        ASSERT_TRUE(file.restore(*bytes).ok());
        EXPECT_EQ(std::filesystem::exists(path), c.before.has_value());
        if (c.before) {
            EXPECT_EQ(readText(path), *c.before);
        }
        EXPECT_FALSE(file.document().hasSection("Macro_0"));
    }
}

TEST(IniFile, AFailedRestoreNamesTheFileAndKeepsTheDocument)
{
    TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    std::filesystem::create_directory(directory.path() / "data");
    const std::string path = directory.file("data/record.ini");
    IniFile file(path, writer);
    ASSERT_TRUE(file.writeString("Macro_0", "MacroLoopTimes", "1").ok());
    std::filesystem::rename(directory.path() / "data", directory.path() / "moved");

    const std::optional<std::vector<std::uint8_t>> bytes = std::vector<std::uint8_t>{'[', 'A', ']'};
    const Status status = file.restore(bytes);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.error().message.find(path), std::string::npos) << status.error().message;
    EXPECT_TRUE(file.document().hasSection("Macro_0"));
}

TEST(IniFile, ReadBytesRefusesWhatLoadRefuses)
{
    TemporaryDirectory directory;
    std::filesystem::create_directory(directory.path() / "folder.ini");
    const Result<std::optional<std::vector<std::uint8_t>>> bytes =
        IniFile::readBytes(directory.file("folder.ini"));
    ASSERT_FALSE(bytes.ok());
    EXPECT_NE(bytes.error().message.find("folder.ini"), std::string::npos);
}

} // namespace
} // namespace volantra
