#include "model/save_journal.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/temporary_directory.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace volantra {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The disk, until one step of a save: a write that finds the disk full, or a move that
// never happens because the program was killed just before it.
class FailingAt final : public AtomicFileWriter
{
public:
    enum class Step { Write, Move };
    FailingAt(Step step, std::string fileName) : m_step(step), m_fileName(std::move(fileName)) {}

    Status writeFile(const std::string& path, std::span<const std::uint8_t> bytes) override
    {
        if (m_step == Step::Write && fs::path(path).filename() == m_fileName)
            return Error{Error::Kind::Io, "cannot save " + path + ": No space left on device"};
        return m_disk.writeFile(path, bytes);
    }
    Status moveOver(const std::string& from, const std::string& to) override
    {
        if (m_step == Step::Move && fs::path(to).filename() == m_fileName)
            return Error{Error::Kind::Io, "killed"};
        return m_disk.moveOver(from, to);
    }

private:
    Step m_step;
    std::string m_fileName;
    PosixAtomicFileWriter m_disk;
};

TEST(SaveJournal, APairIsSavedWholeOrNotAtAll)
{
    using Step = FailingAt::Step;
    const struct
    {
        Step step;
        const char* file;
        bool changesAfterRecovery; // a kill after the journal is finished at the next start
    } cases[] = {
        {Step::Write, ".str0.ini.pending", false},
        {Step::Write, ".config0.bin.pending", false},
        {Step::Write, SaveJournal::kJournalFile, false},
        {Step::Move, "config0.bin", true},
        {Step::Move, "str0.ini", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        test::TemporaryDirectory directory;
        const std::string folder = directory.path().string();
        test::writeBytes(directory.file("config0.bin"), {1, 1});
        test::writeBytes(directory.file("str0.ini"), {'o', 'l', 'd'});
        const SaveJournal::File files[] = {{"config0.bin", {2, 2}}, {"str0.ini", {'n', 'e', 'w'}}};

        FailingAt failing(c.step, c.file);
        EXPECT_FALSE(SaveJournal(folder, failing).saveTogether(files));
        PosixAtomicFileWriter disk;
        ASSERT_TRUE(SaveJournal(folder, disk).recover());

        const Bytes oldProfile{1, 1};
        const Bytes oldNames{'o', 'l', 'd'};
        const bool changed = c.changesAfterRecovery;
        EXPECT_EQ(test::readBytes(directory.file("config0.bin")),
                  changed ? files[0].bytes : oldProfile);
        EXPECT_EQ(test::readBytes(directory.file("str0.ini")), changed ? files[1].bytes : oldNames);
        // Nothing but the two files is left behind.
        EXPECT_EQ(std::distance(fs::directory_iterator(directory.path()), fs::directory_iterator()),
                  2);
    }
}

} // namespace
} // namespace volantra
