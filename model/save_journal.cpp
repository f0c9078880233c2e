#include "model/save_journal.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace volantra {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPendingSuffix = ".pending";
constexpr std::string_view kTemporaryMarker = ".tmp-";
constexpr std::size_t kTemporarySuffixLength = 10;

// The hidden name the atomic writer gives its temporary file: ".<name>.tmp-" and ten
// letters or digits.
bool isTemporaryName(const std::string& name)
{
    if (name.size() < 1 + kTemporaryMarker.size() + kTemporarySuffixLength || name[0] != '.')
        return false;
    const std::size_t marker = name.size() - kTemporarySuffixLength - kTemporaryMarker.size();
    if (name.compare(marker, kTemporaryMarker.size(), kTemporaryMarker) != 0)
        return false;
    for (std::size_t i = name.size() - kTemporarySuffixLength; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

bool isPendingName(const std::string& name)
{
    return name.size() > 1 + kPendingSuffix.size() && name[0] == '.' &&
           name.ends_with(kPendingSuffix);
}

bool olderThan(const fs::path& file, std::chrono::seconds age)
{
    std::error_code error;
    const fs::file_time_type written = fs::last_write_time(file, error);
    return !error && fs::file_time_type::clock::now() - written > age;
}

std::vector<std::uint8_t> journalBytes(std::span<const SaveJournal::File> files)
{
    std::string text;
    for (const SaveJournal::File& file : files)
        text += file.name + "\n";
    return {text.begin(), text.end()};
}

} // namespace

SaveJournal::SaveJournal(std::string directory, AtomicFileWriter& writer)
    : m_directory(std::move(directory)), m_writer(&writer)
{
}

std::string SaveJournal::pendingName(const std::string& name)
{
    return "." + name + std::string(kPendingSuffix);
}

std::string SaveJournal::path(const std::string& name) const
{
    return (fs::path(m_directory) / name).string();
}

Status SaveJournal::saveTogether(std::span<const File> files)
{
    const auto discardPending = [&] {
        std::error_code ignored;
        for (const File& file : files)
            fs::remove(path(pendingName(file.name)), ignored);
    };
    for (const File& file : files) {
        if (Status written = m_writer->writeFile(path(pendingName(file.name)), file.bytes);
            !written) {
            discardPending();
            return Error{written.error().kind,
                         path(file.name) + ": not saved: " + written.error().message};
        }
    }
    if (Status journaled = m_writer->writeFile(path(kJournalFile), journalBytes(files));
        !journaled) {
        discardPending();
        return Error{journaled.error().kind,
                     path(files.front().name) + ": not saved: " + journaled.error().message};
    }
    std::vector<std::string> names;
    for (const File& file : files)
        names.push_back(file.name);
    return finish(names);
}

Status SaveJournal::finish(const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        const std::string pending = path(pendingName(name));
        std::error_code error;
        // A pending file that is gone was moved in place before the program stopped.
        if (!fs::exists(pending, error))
            continue;
        if (Status moved = m_writer->moveOver(pending, path(name)); !moved)
            return Error{moved.error().kind,
                         moved.error().message + "; the save is finished at the next start"};
    }
    std::error_code error;
    fs::remove(path(kJournalFile), error);
    if (error)
        return Error{Error::Kind::Io, path(kJournalFile) + ": cannot remove: " + error.message()};
    return {};
}

Status SaveJournal::recover()
{
    std::error_code error;
    const std::string journal = path(kJournalFile);
    if (fs::is_regular_file(journal, error)) {
        std::vector<std::string> names;
        {
            // Closed before finish() removes it: Windows cannot remove an open file.
            std::ifstream stream(journal);
            for (std::string line; std::getline(stream, line);) {
                // Only plain names of this folder: a damaged journal must not move files
                // anywhere else.
                if (!line.empty() && line.find('/') == std::string::npos && line != "." &&
                    line != "..")
                    names.push_back(line);
            }
        }
        if (Status finished = finish(names); !finished)
            return finished;
    }
    removeLeftovers();
    return {};
}

void SaveJournal::removeLeftovers()
{
    std::error_code error;
    fs::directory_iterator entries(m_directory, error);
    if (error)
        return;
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        std::error_code ignored;
        if (!entry.is_regular_file(ignored))
            continue;
        // Saves of the profiles hold the folder's lock, as does this; other files (the
        // macros) may be being written by another program right now.
        if (isPendingName(name) || (isTemporaryName(name) && olderThan(entry.path(), kStaleAge)))
            fs::remove(entry.path(), ignored);
    }
}

} // namespace volantra
