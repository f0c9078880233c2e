#include "profiles/file_change_journal.h"

#include <filesystem>
#include <system_error>

namespace volantra {
namespace {

namespace fs = std::filesystem;

Error::Kind kindOf(const std::error_code& error)
{
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
        error == std::errc::read_only_file_system)
        return Error::Kind::Permission;
    if (error == std::errc::no_such_file_or_directory)
        return Error::Kind::NotFound;
    return Error::Kind::Io;
}

// Whether anything, a dangling link included, has that name.
bool present(const std::string& path)
{
    std::error_code ignored;
    return fs::symlink_status(path, ignored).type() != fs::file_type::not_found;
}

} // namespace

Status FileChangeJournal::rename(const std::string& from, const std::string& to, bool mayReplace)
{
    if (!present(from))
        return {};
    if (present(to) && !mayReplace)
        return Error{Error::Kind::InvalidInput,
                     "cannot rename " + from + " to " + to + ": " + to + " is already there"};
    std::error_code error;
    fs::rename(from, to, error);
    if (error)
        return Error{kindOf(error), "cannot rename " + from + " to " + to + ": " + error.message()};
    m_steps.push_back({Step::Kind::Renamed, from, to});
    return {};
}

Status FileChangeJournal::create(const std::string& path, std::span<const std::uint8_t> bytes)
{
    if (present(path))
        return Error{Error::Kind::InvalidInput,
                     "cannot create " + path + ": a file of that name is already there"};
    if (Status written = m_writer->writeFile(path, bytes); !written)
        return written;
    m_steps.push_back({Step::Kind::Created, {}, path});
    return {};
}

Status FileChangeJournal::undo()
{
    std::string failures;
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
        std::error_code error;
        if (step->kind == Step::Kind::Renamed) {
            fs::rename(step->to, step->from, error);
            if (error)
                failures += "; cannot rename " + step->to + " back to " + step->from + ": " +
                            error.message();
        } else {
            fs::remove(step->to, error);
            if (error)
                failures += "; cannot remove " + step->to + ": " + error.message();
        }
    }
    m_steps.clear();
    if (failures.empty())
        return {};
    return Error{Error::Kind::Io, failures.substr(2)};
}

} // namespace volantra
