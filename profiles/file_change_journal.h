#pragma once

#include "common/atomic_file_writer.h"
#include "common/result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace volantra {

// Renames and new files made one after the other, each undone in reverse order when a
// later step fails, so that a batch of file changes either all stay or none do.
//
// A rename replaces nothing but an old backup: renaming onto an existing file other than
// one ending in the backup suffix is refused. New files go through the AtomicFileWriter and
// may only be created where no file is.
class FileChangeJournal
{
public:
    explicit FileChangeJournal(AtomicFileWriter& writer) : m_writer(&writer) {}

    // Moves `from` to `to`; a missing `from` is nothing to do. `mayReplace` allows `to` to
    // be an older file of the same role (a backup), which is then lost.
    Status rename(const std::string& from, const std::string& to, bool mayReplace = false);
    // Creates `path` with `bytes`; refused when something is already there.
    Status create(const std::string& path, std::span<const std::uint8_t> bytes);

    // Undoes every step in reverse order. The error names each step that could not be
    // undone.
    Status undo();
    // The steps done so far stay; the journal starts afresh.
    void keep() { m_steps.clear(); }

private:
    struct Step
    {
        enum class Kind { Renamed, Created };
        Kind kind;
        std::string from; // Renamed: the old name
        std::string to;   // Renamed: the new name; Created: the file
    };

    AtomicFileWriter* m_writer;
    std::vector<Step> m_steps;
};

} // namespace volantra
