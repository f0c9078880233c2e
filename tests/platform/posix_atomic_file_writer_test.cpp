#include "platform/posix_atomic_file_writer.h"
#include "support/temporary_directory.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <linux/capability.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace volantra {
namespace {

using test::TemporaryDirectory;

using test::readText;

void writePlainFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::span<const std::uint8_t> bytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::vector<std::string> entriesOf(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path)
{
    struct stat info;
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// Runs `body` in a child process, so limits and dropped privileges stay there, and gives
// back the message of the error it returned ("" when it succeeded). A child that cannot
// set itself up reports "skip: ..." instead.
std::string inChild(const std::function<std::string()>& body)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "skip: no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const std::string message = body();
        [[maybe_unused]] ssize_t sent = ::write(pipeEnds[1], message.data(), message.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string message;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    return message;
}

std::string errorOf(const Status& status)
{
    return status ? std::string() : status.error().message;
}

TEST(PosixAtomicFileWriter, WritesTheBytesWhole)
{
    std::string large(3 * 1024 * 1024 + 7, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>(i * 7 % 251);
    const std::string cases[] = {"", "x", "[Skins]\r\nLan=EN\r\n", large};
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.size());
        TemporaryDirectory directory;
        PosixAtomicFileWriter writer;
        const std::string path = directory.file("str0.ini");

        ASSERT_EQ(errorOf(writer.writeFile(path, bytesOf(bytes))), "");
        EXPECT_EQ(readText(path), bytes);
        EXPECT_EQ(modeOf(path), 0644 & ~currentUmask());
        EXPECT_EQ(entriesOf(directory.path()), std::vector<std::string>{"str0.ini"});
    }
}

TEST(PosixAtomicFileWriter, ReplacingKeepsTheOldFilesMode)
{
    const mode_t modes[] = {0600, 0640, 0664, 0444};
    for (mode_t mode : modes) {
        SCOPED_TRACE(mode);
        TemporaryDirectory directory;
        PosixAtomicFileWriter writer;
        const std::string path = directory.file("record.ini");
        writePlainFile(path, "old contents that are longer than the new ones\n");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);

        ASSERT_EQ(errorOf(writer.writeFile(path, bytesOf("new\n"))), "");
        EXPECT_EQ(readText(path), "new\n");
        EXPECT_EQ(modeOf(path), mode);
        EXPECT_EQ(entriesOf(directory.path()), std::vector<std::string>{"record.ini"});
    }
}

TEST(PosixAtomicFileWriter, WritesThroughASymbolicLink)
{
    TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    std::filesystem::create_directory(directory.path() / "dotfiles");
    const std::string real = directory.file("dotfiles/str.ini");
    const std::string link = directory.file("str.ini");
    writePlainFile(real, "old\n");
    std::filesystem::create_symlink("dotfiles/str.ini", link);

    ASSERT_EQ(errorOf(writer.writeFile(link, bytesOf("new\n"))), "");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readText(real), "new\n");
    EXPECT_EQ(entriesOf(directory.path() / "dotfiles"), std::vector<std::string>{"str.ini"});
}

TEST(PosixAtomicFileWriter, FailuresNameTheFileAndLeaveNoTrace)
{
    struct Case
    {
        const char* name;
        const char* target; // relative to the folder
        Error::Kind kind;
        const char* reason;
    } cases[] = {
        {"a folder that does not exist", "missing/str.ini", Error::Kind::NotFound,
         "No such file or directory"},
        {"a path under a regular file", "plain/str.ini", Error::Kind::NotFound, "Not a directory"},
        {"a folder in the file's place", "folder", Error::Kind::Io, "Is a directory"},
        {"a path that names a folder", "folder/", Error::Kind::Io, "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory;
        PosixAtomicFileWriter writer;
        writePlainFile(directory.file("plain"), "untouched");
        std::filesystem::create_directory(directory.path() / "folder");
        const std::string target = directory.file(c.target);

        const Status status = writer.writeFile(target, bytesOf("data"));
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.error().kind, c.kind);
        EXPECT_NE(status.error().message.find(target), std::string::npos) << status.error().message;
        EXPECT_NE(status.error().message.find(c.reason), std::string::npos)
            << status.error().message;
        EXPECT_EQ(readText(directory.file("plain")), "untouched");
        EXPECT_TRUE(std::filesystem::is_directory(directory.path() / "folder"));
        EXPECT_TRUE(std::filesystem::is_empty(directory.path() / "folder"));
        EXPECT_EQ(entriesOf(directory.path()), (std::vector<std::string>{"folder", "plain"}));
    }
}

TEST(PosixAtomicFileWriter, AFullDiskLeavesTheOldFileWhole)
{
    // A file-size limit makes write() fail part-way, as a full disk does: the first write
    // is cut short at the limit and the next one fails with EFBIG.
    const std::size_t limits[] = {0, 1, 4096, 100000};
    const std::string old = "[Profile]\nItemCount=1\nItem0=Default\n";
    const std::string replacement(200000, 'n');
    for (std::size_t limit : limits) {
        SCOPED_TRACE(limit);
        TemporaryDirectory directory;
        const std::string path = directory.file("str.ini");
        writePlainFile(path, old);

        const std::string message = inChild([&] {
            rlimit size{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
            std::signal(SIGXFSZ, SIG_IGN);
            if (::setrlimit(RLIMIT_FSIZE, &size) != 0)
                return std::string("skip: cannot limit the file size");
            PosixAtomicFileWriter writer;
            return errorOf(writer.writeFile(path, bytesOf(replacement)));
        });
        if (message.rfind("skip: ", 0) == 0)
            GTEST_SKIP() << message;
        ASSERT_NE(message, "") << "the write was expected to fail";
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find("File too large"), std::string::npos) << message;
        EXPECT_EQ(readText(path), old);
        EXPECT_EQ(entriesOf(directory.path()), std::vector<std::string>{"str.ini"});
    }
}

// Drops the capabilities that let root write anywhere, in this (child) process only.
bool dropFileCapabilities()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    for (auto& word : data)
        word.effective = 0;
    return ::syscall(SYS_capset, &header, data) == 0;
}

TEST(PosixAtomicFileWriter, AnUnwritableFolderLeavesTheOldFileWhole)
{
    TemporaryDirectory directory;
    std::filesystem::create_directory(directory.path() / "locked");
    const std::string path = directory.file("locked/str.ini");
    writePlainFile(path, "old\n");
    ASSERT_EQ(::chmod(directory.file("locked").c_str(), 0555), 0);

    const std::string message = inChild([&] {
        if (::geteuid() == 0 && !dropFileCapabilities())
            return std::string("skip: cannot drop CAP_DAC_OVERRIDE");
        if (::faccessat(AT_FDCWD, directory.file("locked").c_str(), W_OK, AT_EACCESS) == 0)
            return std::string("skip: the folder stays writable");
        PosixAtomicFileWriter writer;
        return errorOf(writer.writeFile(path, bytesOf("new\n")));
    });
    ::chmod(directory.file("locked").c_str(), 0755);
    if (message.rfind("skip: ", 0) == 0)
        GTEST_SKIP() << message;
    ASSERT_NE(message, "") << "the write was expected to fail";
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find("Permission denied"), std::string::npos) << message;
    EXPECT_EQ(readText(path), "old\n");
    EXPECT_EQ(entriesOf(directory.path() / "locked"), std::vector<std::string>{"str.ini"});
}

} // namespace
} // namespace volantra
