#pragma once

#include "common/folder_lock.h"
#include "common/result.h"
#include "editing/editing_session.h"
#include "model/profile_store.h"
#include "model/settings_record.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace volantra {

struct CliContext;
class AtomicFileWriter;
class DeviceLink;

// What a command does with the current profile.
enum class ProfileAccess {
    Read,    // looks only: no lock, nothing written, a read-only folder is fine
    Change,  // reads, changes and saves it, holding the data folder's lock throughout
    Replace, // as Change, for reset and import, which replace the record whole: a
             // damaged current profile file is what they repair
};

// The current profile of the data directory, loaded with its button names, as the
// window has it after start-up.
struct CurrentProfile
{
    std::unique_ptr<FolderLock> lock;         // released last, after every save
    std::unique_ptr<AtomicFileWriter> writer; // the store writes through it
    std::unique_ptr<ProfileStore> store;
    SettingsRecord record;
};
Result<CurrentProfile> loadCurrentProfile(const CliContext& context, ProfileAccess access);
// The editing session of a loaded profile, as the window has it; the command holds the data
// folder's lock already, so the session takes none. `desktop` may be null: no pointer
// settings are set then.
EditingSession editingSessionFor(CurrentProfile& profile, DeviceLink* link = nullptr,
                                 PointerSettings* desktop = nullptr);

// The commands that change profiles on disk: set, export, import, reset and profiles.
int runSet(CliContext& context, const std::vector<std::string>& arguments);
int runExport(CliContext& context, const std::vector<std::string>& arguments);
int runImport(CliContext& context, const std::vector<std::string>& arguments);
int runReset(CliContext& context, const std::vector<std::string>& arguments);
int runProfiles(CliContext& context, const std::vector<std::string>& arguments);
// Every key of `set` with the values it takes, for `help set`.
void printSetKeys(std::ostream& out);

} // namespace volantra
