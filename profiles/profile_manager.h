#pragma once

#include "common/atomic_file_writer.h"
#include "common/result.h"
#include "model/settings_record.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

class FileChangeJournal;
class ProfileStore;

// What the profile manager hands over to the main window, and what the main window must
// do with its record before anything else.
struct ProfileHandOver
{
    enum class Request {
        Import, // Load: the open-file dialog for `profile`
        Export, // Save: the save-file dialog for `profile`
        Closed, // the manager has closed
    };
    // The profile the record belongs to, after the manager wrote the list.
    enum class Current {
        Same,       // unchanged: nothing to do
        Renumbered, // the same profile under another number: the store follows the list
                    // (ProfileStore::followProfileList), the record and its edits stay
        Other,      // another profile: load its file and INI into the record and take the
                    // snapshot (ProfileStore::loadCurrentProfile, readProfileIni)
        None,       // the list is empty: no profile is current
    };

    Request request = Request::Closed;
    // Import and Export: the profile whose file the dialog starts at. Closed: the
    // current profile (0 when the list is empty).
    std::uint8_t profile = 0;
    Current current = Current::Same;

    friend bool operator==(const ProfileHandOver&, const ProfileHandOver&) = default;
};

// The profile manager's work on the data directory: the list of named profiles in section
// "Profile" of str.ini and the profile files config<N>.bin and str<N>.ini, N being the
// profile's position in the list.
//
// Edits change only the list in memory. Handing over (Load, Save, closing) carries them
// out: first the files, then the list, in one atomic write of str.ini. Deleted profiles'
// files are moved aside (config1.bin.bak), the later ones renamed down one number, copies
// and new profiles get their files; when any step fails, every step before it is undone
// and the error names the file. The list is written only when it or the selection changed.
//
// The selection is the profile that becomes current. It is found with the store's own
// lookup of CurProfileName, so opening the manager never switches profiles.
class ProfileManager
{
public:
    static constexpr std::size_t kMaxProfiles = 6;
    static constexpr const char* kLimitMessage = "Profile numbers up to 6.";
    static constexpr const char* kNewNamePrefix = "PROFILE";
    static constexpr const char* kBackupSuffix = ".bak";

    // Reads the list of the store's str.ini. A list it cannot read is an error (and
    // nothing is ever written); a missing str.ini gives an empty list. The store's
    // current profile is the one the caller's record holds.
    static Result<ProfileManager> open(const ProfileStore& store, AtomicFileWriter& writer);

    const std::vector<std::string>& names() const { return m_names; }
    std::optional<std::size_t> selected() const { return m_selected; }
    // Told once, when the list names more than six profiles: only six are shown.
    const std::optional<std::string>& readingNotice() const { return m_readingNotice; }

    Status select(std::size_t index);
    // Appends PROFILE_<n+1> after a last entry PROFILE_<n> (or <name>_<count> after a last
    // entry without "_", PROFILE_0 in an empty list), numbered on past names in use, and
    // selects it. A seventh profile is refused with kLimitMessage.
    Status addNew();
    // Appends "<prefix> <name>" ("Copy Work"), with " (2)" and up when that is taken; the
    // selection stays.
    Status copy(std::size_t index, std::string_view prefix);
    // The typed name, trimmed; refused when blank, holding control characters, too long
    // for str.ini, or another profile's name (compared without regard to case).
    Status rename(std::size_t index, std::string_view typed);
    // Removes the entry. When it was selected, the selection goes back to the profile the
    // record holds, if it is still listed.
    Status remove(std::size_t index);

    // Whether the list or the selection differ from what str.ini holds.
    bool hasChanges() const;
    // Whether handing over now would put another profile into the record; the main window
    // asks about its unapplied edits first. Load and Save select their entry first.
    bool replacesRecord() const;

    // Load and Save select the entry, carry out the edits and ask the main window for the
    // open-file or save-file dialog of that profile. `record` gives new profiles their
    // first contents.
    Result<ProfileHandOver> load(std::size_t index, const SettingsRecord& record);
    Result<ProfileHandOver> save(std::size_t index, const SettingsRecord& record);
    // Carries out the edits; the manager has closed.
    Result<ProfileHandOver> close(const SettingsRecord& record);

    // The rules of a typed name: the name as it is stored, or why it cannot be one.
    static Result<std::string> checkName(std::string_view typed);

private:
    // Where an entry's files come from when the edits are carried out.
    struct Origin
    {
        enum class Kind { File, Copy, New };
        Kind kind = Kind::New;
        std::size_t file = 0; // File and Copy: the number of the files at opening

        friend bool operator==(const Origin&, const Origin&) = default;
    };

    ProfileManager(const ProfileStore& store, AtomicFileWriter& writer);

    bool nameTaken(std::string_view name, std::optional<std::size_t> except) const;
    std::string uniqueName(std::string_view stem, std::string_view separator,
                           std::uint64_t firstNumber) const;
    // The entry that becomes current: the selection, else the first; then looked up by
    // name as the store will.
    std::optional<std::size_t> effectiveCurrent() const;
    ProfileHandOver::Current currentAfterCommit() const;
    Result<ProfileHandOver> handOver(ProfileHandOver::Request request, std::size_t index,
                                     const SettingsRecord& record);
    Status commit(const SettingsRecord& record);
    Status moveFiles(const SettingsRecord& record, FileChangeJournal& journal) const;
    // The bytes of str.ini with the list; nothing when there is no file to write.
    Result<std::optional<std::vector<std::uint8_t>>> listBytes() const;
    Result<std::vector<std::uint8_t>> newProfileIni() const;
    std::string file(const std::string& name) const;

    const ProfileStore* m_store;
    AtomicFileWriter* m_writer;
    std::string m_directory;

    std::vector<std::string> m_names;
    std::vector<Origin> m_origins;
    // The file numbers the list held when it was read (or last written).
    std::vector<std::size_t> m_listedFiles;
    std::optional<std::size_t> m_selected;
    std::optional<std::size_t> m_selectedAtReading;
    // The number of the profile the record holds; none without a current profile.
    std::optional<std::size_t> m_recordFile;
    bool m_listChanged = false;
    bool m_listFileExists = false;
    std::optional<std::string> m_readingNotice;
};

} // namespace volantra
