#include "model/profile_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace volantra {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::path(::testing::TempDir()) /
                ("profile_file_test_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const fs::path path = m_dir / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    fs::path m_dir;
};

std::vector<std::uint8_t> patternedFile(std::size_t size, std::uint8_t flag)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    if (size > 0)
        bytes[0] = flag;
    return bytes;
}

TEST_F(ProfileFileTest, ReadsTheFlagAndTheRecordByteForByte)
{
    for (std::uint8_t flag : {std::uint8_t(0), std::uint8_t(1), std::uint8_t(0xFF)}) {
        const std::vector<std::uint8_t> bytes = patternedFile(1757, flag);
        const std::string path = write("config0.bin", bytes);
        const Result<ProfileFile> file = ProfileFile::load(path);
        ASSERT_TRUE(file.ok()) << file.error().message;
        EXPECT_EQ(file->flag(), flag);
        EXPECT_EQ(file->wasSaved(), flag == 1);
        for (std::size_t i = 0; i < SettingsRecord::kSize; ++i)
            ASSERT_EQ(file->record().bytes()[i], bytes[i + 1]) << i;
    }
}

TEST_F(ProfileFileTest, RefusesEveryOtherLengthAndSaysWhy)
{
    const std::size_t sizes[] = {0, 1, 12, 1756, 1758, 4096};
    for (std::size_t size : sizes) {
        const std::string path = write("config.bin", patternedFile(size, 1));
        const Result<ProfileFile> file = ProfileFile::load(path);
        ASSERT_FALSE(file.ok()) << size;
        EXPECT_EQ(file.error().kind, Error::Kind::InvalidInput);
        EXPECT_EQ(file.error().message, path +
                                            ": a profile file holds 1757 bytes, this one holds " +
                                            std::to_string(size));
    }
}

TEST_F(ProfileFileTest, AMissingFileNamesThePath)
{
    const std::string path = (m_dir / "config3.bin").string();
    const Result<SettingsRecord> record = loadProfileFile(path);
    ASSERT_FALSE(record.ok());
    EXPECT_EQ(record.error().kind, Error::Kind::NotFound);
    EXPECT_EQ(record.error().message, path + ": no such profile file");
}

TEST_F(ProfileFileTest, ADirectoryIsNoProfileFile)
{
    const Result<SettingsRecord> record = loadProfileFile(m_dir.string());
    ASSERT_FALSE(record.ok());
    EXPECT_EQ(record.error().kind, Error::Kind::InvalidInput);
    EXPECT_NE(record.error().message.find(m_dir.string()), std::string::npos);
}

TEST_F(ProfileFileTest, WrittenReadBackAndWrittenAgainIsTheSame)
{
    const std::vector<std::uint8_t> original = patternedFile(1757, 0);
    const Result<SettingsRecord> first = loadProfileFile(write("a.bin", original));
    ASSERT_TRUE(first.ok());
    const ProfileFile::Bytes saved = ProfileFile::serialize(*first);
    EXPECT_EQ(saved[0], 1);
    EXPECT_TRUE(std::equal(saved.begin() + 1, saved.end(), original.begin() + 1));

    const Result<SettingsRecord> second =
        loadProfileFile(write("b.bin", {saved.begin(), saved.end()}));
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(ProfileFile::serialize(*second), saved);
}

TEST(ProfileFileParse, ChecksTheLengthOfBytesInMemory)
{
    const std::vector<std::uint8_t> bytes = patternedFile(1757, 1);
    EXPECT_TRUE(ProfileFile::parse(bytes, "x").ok());
    const Result<ProfileFile> shortFile =
        ProfileFile::parse(std::span(bytes).first(1000), "imported.bin");
    ASSERT_FALSE(shortFile.ok());
    EXPECT_EQ(shortFile.error().message,
              "imported.bin: a profile file holds 1757 bytes, this one holds 1000");
}

} // namespace
} // namespace volantra
