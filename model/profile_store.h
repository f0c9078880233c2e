#pragma once

#include "common/atomic_file_writer.h"
#include "common/language.h"
#include "common/result.h"
#include "model/settings_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// The skin values a profile INI holds in its section "Skins".
struct ProfileSkin
{
    std::string path; // sub-folder of "Skins" holding the images
    int red = 0;      // text colour, 0 to 255 each
    int green = 0;
    int blue = 0;

    friend bool operator==(const ProfileSkin&, const ProfileSkin&) = default;
};

// The profile files of the data directory and which of them is current.
//
// config.bin and str.ini hold the defaults (str.ini also the list of named profiles);
// profile N lives in config<N>.bin (a flag byte and the settings record) and str<N>.ini
// (the button names of each language and the skin). The store keeps the current index,
// the button names and skin values last read; the record itself belongs to the caller.
// Every write goes through the AtomicFileWriter, and an operation that fails leaves the
// record and the files as they were.
class ProfileStore
{
public:
    static constexpr std::size_t kItemCount = 8;
    using ItemNames = std::array<std::string, kItemCount>;

    static constexpr const char* kDefaultProfileFile = "config.bin";
    static constexpr const char* kDefaultIniFile = "str.ini";
    static constexpr const char* kMacroFile = "record.ini";
    static constexpr const char* kSkinsSection = "Skins";

    ProfileStore(std::string dataDirectory, AtomicFileWriter& writer,
                 Language language = Language::English);

    // The INI section that holds the button names in that language.
    static const char* itemSection(Language language);
    // The names the program's own files have in the data directory; nothing else may
    // overwrite them.
    static bool isProgramFileName(std::string_view fileName);
    static std::string profileFileName(std::uint8_t index);
    static std::string profileIniName(std::uint8_t index);

    Language language() const { return m_language; }
    void setLanguage(Language language) { m_language = language; }

    std::uint8_t currentProfileIndex() const { return m_currentIndex; }
    // The flag byte of the profile file last read: 0 for a profile never saved.
    std::uint8_t firstRunFlag() const { return m_firstRunFlag; }
    // Unset until a load finds a usable profile list.
    const std::optional<std::string>& currentProfilePath() const { return m_profilePath; }
    const std::optional<std::string>& currentIniPath() const { return m_iniPath; }
    std::string macroFilePath() const { return file(kMacroFile); }
    std::string defaultIniPath() const { return file(kDefaultIniFile); }

    const ItemNames& itemNames() const { return m_items; }
    void setItemNames(const ItemNames& names) { m_items = names; }
    void setItemName(std::size_t index, std::string name) { m_items.at(index) = std::move(name); }
    const ProfileSkin& skin() const { return m_skin; }

    // Finds the current profile in the list of str.ini (the last entry with the current
    // name; without one the index stays) and reads its file into `record`. A list with
    // an ItemCount of 0 or above 6 loads nothing and leaves the paths unset. Until a load
    // (or an import or reset) succeeds, the record is not saved: saveRefusal() says why.
    Status loadCurrentProfile(SettingsRecord& record);
    // After loadCurrentProfile found no usable list: profile 0 (config0.bin, str0.ini),
    // to be looked at only; nothing is saved until a list is usable again.
    Status loadFirstProfileReadOnly(SettingsRecord& record);
    // The first half of loadCurrentProfile: finds the current profile in the list and
    // forms its paths, without reading its file. For when the profile manager gave the
    // profile the record holds another number, so that the record's edits stay.
    Status followProfileList();
    // The profile manager emptied the list: profile 0 is current, no file is its own, and
    // nothing is saved until a profile is created.
    void clearCurrentProfile();
    // The button names of the language and the skin values of the current profile INI.
    // With the paths unset there is nothing to read: names and skin become empty.
    Status readProfileIni();
    // The language code ("Lan" of "Skins") of the current profile INI; empty if none.
    std::string readLanguageCode() const;

    // Why a save would be refused now: no profile was loaded (a missing or damaged file),
    // or the profile list is unusable. Nothing when saving is safe.
    const std::optional<Error>& saveRefusal() const { return m_saveRefusal; }
    // True when config<N>.bin or str<N>.ini of the current profile no longer hold what
    // the store last read or wrote: another program (volantra-cli) changed them.
    bool changedOnDisk() const;
    // Finishes or undoes a save a killed program left half done. Run it holding the
    // data folder's lock, before the first load.
    Status recoverUnfinishedSave();

    // Writes the eight button names into the current profile INI.
    Status writeProfileItems();
    // Writes the record into config<N>.bin and the button names into str<N>.ini of the
    // current index as one change: both files change, or neither does.
    Status saveProfile(const SettingsRecord& record);
    // What Apply ends with once the images are sent: the record, with the profile byte
    // Apply gave it (0), and the button names are saved to the current profile.
    Status saveAppliedProfile(SettingsRecord& record);

    // Reads a profile file chosen by the user into `record`, and the button names and
    // skin of the .ini beside it; without one they are empty, as for a profile never
    // named. The .ini is read only once the .bin was accepted. Nothing is saved until
    // the user applies.
    Status importProfile(const std::string& path, SettingsRecord& record);

    struct ExportRequest
    {
        std::string path;
        // The copy in the data directory may replace a file that is already there
        // (never one of the program's own files).
        bool replaceInDataDirectory = false;
        // The chosen .bin and its .ini may replace files that are there (the save dialog
        // asked, or volantra-cli was given --force).
        bool replaceChosen = false;
    };
    struct ExportResult
    {
        enum class Outcome {
            Written,      // the pair was written (and copied, unless copySkipped)
            WouldReplace, // nothing was written: it would replace `existingCopy`
        };
        Outcome outcome = Outcome::Written;
        std::string binPath; // the chosen file, with ".bin" added when it had none
        std::string iniPath;
        bool copySkipped = false; // the name is one of the program's files
        std::string existingCopy;
    };
    // Writes the record and the button names to the chosen path (adding ".bin" when the
    // name has none) and to the same name in the data directory; that copy becomes the
    // current profile until the next load or save. A chosen path that is one of the
    // program's own files in the data directory is refused.
    Result<ExportResult> exportProfile(const ExportRequest& request, const SettingsRecord& record);

    // Takes the settings of config.bin (its first 220 bytes: the macros stay) and the
    // button names and skin of str.ini. The profile byte stays, and the current paths
    // stay those of the current profile, so the caller's next save writes there. When
    // the current profile could not be loaded, its macros are lost already and the
    // defaults' macros are taken too.
    Status resetToDefaults(SettingsRecord& record);

private:
    std::string file(const std::string& name) const;
    void formCurrentPaths();
    Status readIni(const std::string& path);
    Status writeItems(const std::string& path);
    // The bytes str<N>.ini holds with the current names written into it.
    Result<std::vector<std::uint8_t>> iniWithItems(const std::string& path) const;
    Status refuseWhileBlocked() const;
    void rememberDiskState();

    std::string m_directory;
    AtomicFileWriter* m_writer;
    Language m_language;
    std::uint8_t m_currentIndex = 0;
    std::uint8_t m_firstRunFlag = 0;
    std::optional<std::string> m_profilePath;
    std::optional<std::string> m_iniPath;
    ItemNames m_items;
    ProfileSkin m_skin;
    std::optional<Error> m_saveRefusal;
    bool m_listUnusable = false;
    // What the current profile's files held when last read or written; nothing before.
    struct DiskState
    {
        std::optional<std::vector<std::uint8_t>> profile;
        std::optional<std::vector<std::uint8_t>> ini;
    };
    std::optional<DiskState> m_diskState;
};

} // namespace volantra
