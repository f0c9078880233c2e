#pragma once

#include "common/atomic_file_writer.h"
#include "common/result.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace volantra {

// Saves several files of the data folder as one change: a profile's config<N>.bin and
// str<N>.ini must never disagree, or a button's function changes and its label does not.
//
// Every new file is first written whole beside its target (".<name>.pending"); only then
// is the journal written, naming the targets; then each pending file is moved over its
// target and the journal removed. A full disk before the journal changes nothing. A
// program killed after it leaves the journal, and the next start finishes the change;
// pending files without a journal are what a save left before it was complete, and the
// next start removes them.
class SaveJournal
{
public:
    static constexpr const char* kJournalFile = ".volantra-save.journal";
    // Temporary files of killed writers are removed once they are this old, so that a
    // file another program is writing right now is left alone.
    static constexpr std::chrono::seconds kStaleAge{60};

    struct File
    {
        std::string name; // a file name in the data folder
        std::vector<std::uint8_t> bytes;
    };

    SaveJournal(std::string directory, AtomicFileWriter& writer);

    // Makes every file's contents the new ones, or (when it fails before the journal is
    // written) leaves every file as it was.
    Status saveTogether(std::span<const File> files);
    // Finishes a change a killed program left in its journal, and removes pending and
    // temporary files that killed programs left behind. Run it holding the folder's lock.
    Status recover();

    static std::string pendingName(const std::string& name);

private:
    std::string path(const std::string& name) const;
    Status finish(const std::vector<std::string>& names);
    void removeLeftovers();

    std::string m_directory;
    AtomicFileWriter* m_writer;
};

} // namespace volantra
