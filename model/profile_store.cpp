#include "model/profile_store.h"

#include "common/text.h"
#include "model/ini_file.h"
#include "model/profile_file.h"
#include "model/profile_list.h"
#include "model/save_journal.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

namespace volantra {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBinExtension = ".bin";
constexpr const char* kIniExtension = ".ini";

// The button names and skin values of one profile INI, read before anything is taken
// over, so that a failed read changes nothing.
struct IniValues
{
    ProfileStore::ItemNames items;
    ProfileSkin skin;
};

Result<IniValues> readIniValues(const std::string& path, Language language,
                                AtomicFileWriter& writer)
{
    Result<IniFile> ini = IniFile::load(path, writer);
    if (!ini)
        return ini.error();
    IniValues values;
    const char* section = ProfileStore::itemSection(language);
    for (std::size_t i = 0; i < ProfileStore::kItemCount; ++i)
        values.items[i] = ini->readString(section, "Item" + std::to_string(i + 1), "");
    values.skin.path = ini->readString(ProfileStore::kSkinsSection, "Path", "");
    values.skin.red = ini->readInt(ProfileStore::kSkinsSection, "RColor", 0);
    values.skin.green = ini->readInt(ProfileStore::kSkinsSection, "GColor", 0);
    values.skin.blue = ini->readInt(ProfileStore::kSkinsSection, "BColor", 0);
    return values;
}

bool exists(const std::string& path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

bool samePath(const std::string& a, const std::string& b)
{
    std::error_code error;
    const bool same = fs::equivalent(a, b, error);
    return !error && same;
}

std::string withIniExtension(const std::string& binPath)
{
    return binPath.substr(0, binPath.size() - std::string_view(kBinExtension).size()) +
           kIniExtension;
}

Status writeProfileFile(const std::string& path, const SettingsRecord& record,
                        AtomicFileWriter& writer)
{
    const ProfileFile::Bytes bytes = ProfileFile::serialize(record);
    return writer.writeFile(path, bytes);
}

// The name without a typed ".bin" or ".ini", in any letter case.
std::string stem(const std::string& fileName)
{
    const std::string lower = lowercased(fileName);
    if (lower.ends_with(kBinExtension) || lower.ends_with(kIniExtension))
        return fileName.substr(0, fileName.size() - std::string_view(kBinExtension).size());
    return fileName;
}

bool sameFolder(const fs::path& a, const std::string& b)
{
    return samePath(a.empty() ? "." : a.string(), b);
}

std::optional<std::vector<std::uint8_t>> bytesOnDisk(const std::optional<std::string>& path)
{
    if (!path)
        return std::nullopt;
    Result<std::optional<std::vector<std::uint8_t>>> bytes = IniFile::readBytes(*path);
    return bytes ? *bytes : std::nullopt;
}

} // namespace

ProfileStore::ProfileStore(std::string dataDirectory, AtomicFileWriter& writer, Language language)
    : m_directory(std::move(dataDirectory)), m_writer(&writer), m_language(language),
      m_saveRefusal(Error{Error::Kind::NotFound, "no profile has been loaded yet"})
{
}

const char* ProfileStore::itemSection(Language language)
{
    switch (language) {
    case Language::SimplifiedChinese:
        return "Setting-CHS";
    case Language::TraditionalChinese:
        return "Setting-CHT";
    case Language::English:
        break;
    }
    return "Setting-EN";
}

bool ProfileStore::isProgramFileName(std::string_view fileName)
{
    // Letter case does not tell files apart for the users of other systems either.
    const std::string name = lowercased(std::string(fileName));
    if (name == kDefaultProfileFile || name == kDefaultIniFile || name == kMacroFile)
        return true;
    for (std::uint8_t i = 0; i < ProfileList::kMaxProfiles; ++i) {
        if (name == profileFileName(i) || name == profileIniName(i))
            return true;
    }
    return false;
}

std::string ProfileStore::profileFileName(std::uint8_t index)
{
    return "config" + std::to_string(index) + kBinExtension;
}

std::string ProfileStore::profileIniName(std::uint8_t index)
{
    return "str" + std::to_string(index) + kIniExtension;
}

std::string ProfileStore::file(const std::string& name) const
{
    return (fs::path(m_directory) / name).string();
}

void ProfileStore::formCurrentPaths()
{
    m_profilePath = file(profileFileName(m_currentIndex));
    m_iniPath = file(profileIniName(m_currentIndex));
}

Status ProfileStore::loadCurrentProfile(SettingsRecord& record)
{
    m_listUnusable = false;
    if (Status found = followProfileList(); !found) {
        m_listUnusable = true;
        m_saveRefusal = found.error();
        return found;
    }
    Result<ProfileFile> profile = ProfileFile::load(*m_profilePath);
    if (!profile) {
        m_saveRefusal = Error{profile.error().kind, profile.error().message +
                                                        "; nothing is saved over it until a "
                                                        "profile is loaded or reset"};
        return profile.error();
    }
    m_firstRunFlag = profile->flag();
    record = profile->record();
    m_saveRefusal.reset();
    m_diskState = DiskState{bytesOnDisk(m_profilePath), bytesOnDisk(m_iniPath)};
    return {};
}

Status ProfileStore::loadFirstProfileReadOnly(SettingsRecord& record)
{
    if (!m_listUnusable)
        return Error{Error::Kind::InvalidInput, "the profile list is usable"};
    const std::string path = file(profileFileName(0));
    Result<ProfileFile> profile = ProfileFile::load(path);
    if (!profile)
        return profile.error();
    record = profile->record();
    m_firstRunFlag = profile->flag();
    m_currentIndex = 0;
    m_profilePath = path;
    m_iniPath = file(profileIniName(0));
    return {};
}

Status ProfileStore::followProfileList()
{
    Result<IniFile> listFile = IniFile::load(defaultIniPath(), *m_writer);
    if (!listFile)
        return Error{Error::Kind::InvalidInput, listFile.error().message};
    const ProfileList list = ProfileList::read(listFile->document());
    if (!list.isUsable()) {
        return Error{Error::Kind::InvalidInput, defaultIniPath() +
                                                    ": the profile list holds ItemCount " +
                                                    std::to_string(list.declaredCount()) +
                                                    " (1 to 6 expected), so no profile was loaded"};
    }
    if (const std::optional<std::uint8_t> index = list.currentIndex())
        m_currentIndex = *index;
    formCurrentPaths();
    if (m_diskState)
        rememberDiskState();
    return {};
}

void ProfileStore::clearCurrentProfile()
{
    m_currentIndex = 0;
    m_profilePath.reset();
    m_iniPath.reset();
    m_diskState.reset();
    m_listUnusable = true;
    m_saveRefusal = Error{Error::Kind::NotFound,
                          defaultIniPath() + ": the profile list is empty; create a profile in "
                                             "the profile manager to save the settings"};
}

Status ProfileStore::recoverUnfinishedSave()
{
    return SaveJournal(m_directory, *m_writer).recover();
}

bool ProfileStore::changedOnDisk() const
{
    if (!m_diskState)
        return false;
    return bytesOnDisk(m_profilePath) != m_diskState->profile ||
           bytesOnDisk(m_iniPath) != m_diskState->ini;
}

void ProfileStore::rememberDiskState()
{
    m_diskState = DiskState{bytesOnDisk(m_profilePath), bytesOnDisk(m_iniPath)};
}

Status ProfileStore::refuseWhileBlocked() const
{
    if (m_saveRefusal)
        return Error{m_saveRefusal->kind, "not saved: " + m_saveRefusal->message};
    return {};
}

Status ProfileStore::readIni(const std::string& path)
{
    Result<IniValues> values = readIniValues(path, m_language, *m_writer);
    if (!values)
        return values.error();
    m_items = std::move(values->items);
    m_skin = std::move(values->skin);
    return {};
}

Status ProfileStore::readProfileIni()
{
    if (!m_iniPath) {
        // No current profile: its INI holds no values, and no other file is read instead.
        m_items = {};
        m_skin = {};
        return {};
    }
    if (Status read = readIni(*m_iniPath); !read)
        return read;
    if (m_diskState)
        m_diskState->ini = bytesOnDisk(m_iniPath);
    return {};
}

std::string ProfileStore::readLanguageCode() const
{
    if (!m_iniPath)
        return {};
    Result<IniFile> ini = IniFile::load(*m_iniPath, *m_writer);
    return ini ? ini->readString(kSkinsSection, "Lan", "") : std::string();
}

Result<std::vector<std::uint8_t>> ProfileStore::iniWithItems(const std::string& path) const
{
    Result<IniFile> ini = IniFile::load(path, *m_writer);
    if (!ini)
        return ini.error();
    const char* section = itemSection(m_language);
    for (std::size_t i = 0; i < kItemCount; ++i) {
        if (Status written =
                ini->document().writeString(section, "Item" + std::to_string(i + 1), m_items[i]);
            !written)
            return Error{written.error().kind, path + ": button " + std::to_string(i + 1) + ": " +
                                                   written.error().message};
    }
    return ini->document().serialize();
}

Status ProfileStore::writeItems(const std::string& path)
{
    Result<std::vector<std::uint8_t>> bytes = iniWithItems(path);
    if (!bytes)
        return bytes.error();
    // Names that did not change cost no write (and no flush) after every Apply.
    if (bytesOnDisk(path) == *bytes)
        return {};
    // One save for all eight names, so the file never holds half of them.
    return m_writer->writeFile(path, *bytes);
}

Status ProfileStore::writeProfileItems()
{
    if (!m_iniPath)
        return Error{Error::Kind::NotFound,
                     defaultIniPath() + ": no current profile, so its button names were not saved"};
    if (Status refused = refuseWhileBlocked(); !refused)
        return refused;
    if (Status written = writeItems(*m_iniPath); !written)
        return written;
    if (m_diskState)
        m_diskState->ini = bytesOnDisk(m_iniPath);
    return {};
}

Status ProfileStore::saveProfile(const SettingsRecord& record)
{
    if (Status refused = refuseWhileBlocked(); !refused)
        return refused;
    if (m_currentIndex >= ProfileList::kMaxProfiles)
        return Error{Error::Kind::InvalidInput,
                     "profile " + std::to_string(m_currentIndex) + " does not exist (0 to 5)"};
    formCurrentPaths();
    Result<std::vector<std::uint8_t>> ini = iniWithItems(*m_iniPath);
    if (!ini)
        return ini.error();
    const ProfileFile::Bytes profile = ProfileFile::serialize(record);
    if (bytesOnDisk(m_iniPath) == *ini) {
        // Names that did not change cost no second write after every Apply.
        if (Status saved = m_writer->writeFile(*m_profilePath, profile); !saved)
            return saved;
    } else {
        // A profile named in the list whose file is missing gets one now, with its names,
        // rather than losing what the user applied.
        const SaveJournal::File files[] = {
            {profileFileName(m_currentIndex), {profile.begin(), profile.end()}},
            {profileIniName(m_currentIndex), std::move(*ini)},
        };
        if (Status saved = SaveJournal(m_directory, *m_writer).saveTogether(files); !saved)
            return saved;
    }
    m_firstRunFlag = ProfileFile::kSavedFlag;
    rememberDiskState();
    return {};
}

Status ProfileStore::saveAppliedProfile(SettingsRecord& record)
{
    record.setProfile(0);
    return saveProfile(record);
}

Status ProfileStore::importProfile(const std::string& path, SettingsRecord& record)
{
    if (!path.ends_with(kBinExtension))
        return Error{Error::Kind::InvalidInput,
                     path + ": a profile file's name ends with .bin, so it was not imported"};
    Result<ProfileFile> profile = ProfileFile::load(path);
    if (!profile)
        return profile.error();
    // Only an accepted profile brings its names along; a missing .ini holds no values,
    // so the previous profile's names never stay on the imported buttons.
    const std::string iniPath = withIniExtension(path);
    IniValues values;
    if (exists(iniPath)) {
        Result<IniValues> read = readIniValues(iniPath, m_language, *m_writer);
        if (!read)
            return read.error();
        values = std::move(*read);
    }
    record = profile->record();
    m_firstRunFlag = profile->flag();
    m_items = std::move(values.items);
    m_skin = std::move(values.skin);
    formCurrentPaths();
    if (!m_listUnusable)
        m_saveRefusal.reset();
    return {};
}

Result<ProfileStore::ExportResult> ProfileStore::exportProfile(const ExportRequest& request,
                                                               const SettingsRecord& record)
{
    ExportResult result;
    result.binPath =
        request.path.ends_with(kBinExtension) ? request.path : request.path + kBinExtension;
    result.iniPath = withIniExtension(result.binPath);
    const std::string binName = fs::path(result.binPath).filename().string();
    const std::string iniName = fs::path(result.iniPath).filename().string();
    if (binName == kBinExtension)
        return Error{Error::Kind::InvalidInput, request.path + ": no file name to export to"};

    // The program's own files in the data folder are never an export's target, whatever
    // extension and letter case the name was typed with.
    const std::string typedStem = stem(fs::path(request.path).filename().string());
    if (sameFolder(fs::path(result.binPath).parent_path(), m_directory)) {
        for (const std::string& name :
             {typedStem + kBinExtension, typedStem + kIniExtension, binName, iniName}) {
            if (isProgramFileName(name))
                return Error{Error::Kind::InvalidInput,
                             file(name) + " is one of the program's own files in the data "
                                          "folder, so nothing was exported; choose another name"};
        }
    }
    if (!request.replaceChosen) {
        for (const std::string& chosen : {result.binPath, result.iniPath}) {
            if (exists(chosen)) {
                result.outcome = ExportResult::Outcome::WouldReplace;
                result.existingCopy = chosen;
                return result;
            }
        }
    }

    const std::string copyBin = file(binName);
    const std::string copyIni = file(iniName);
    result.copySkipped = isProgramFileName(binName) || isProgramFileName(iniName);
    const bool copyIsTarget = samePath(copyBin, result.binPath);
    const bool writeCopy = !result.copySkipped && !copyIsTarget;
    if (writeCopy && !request.replaceInDataDirectory) {
        for (const std::string& existing : {copyBin, copyIni}) {
            if (exists(existing) && !samePath(existing, result.iniPath)) {
                result.outcome = ExportResult::Outcome::WouldReplace;
                result.existingCopy = existing;
                return result;
            }
        }
    }

    if (Status written = writeItems(result.iniPath); !written)
        return written.error();
    if (Status written = writeProfileFile(result.binPath, record, *m_writer); !written)
        return written.error();
    if (writeCopy) {
        if (Status written = writeItems(copyIni); !written)
            return written.error();
        if (Status written = writeProfileFile(copyBin, record, *m_writer); !written)
            return written.error();
    }
    if (!result.copySkipped) {
        m_profilePath = copyBin;
        m_iniPath = copyIni;
        if (m_diskState)
            rememberDiskState();
    }
    return result;
}

Status ProfileStore::resetToDefaults(SettingsRecord& record)
{
    if (m_listUnusable)
        return Error{m_saveRefusal->kind, "not reset: " + m_saveRefusal->message};
    // The defaults are only read from config.bin and str.ini; saving still goes to the
    // current profile's own files.
    Result<ProfileFile> defaults = ProfileFile::load(file(kDefaultProfileFile));
    if (!defaults)
        return defaults.error();
    Result<IniValues> values = readIniValues(defaultIniPath(), m_language, *m_writer);
    if (!values)
        return values.error();
    const std::uint8_t profile = record.profile();
    if (m_saveRefusal)
        record = defaults->record();
    else
        record.takeSettingsFrom(defaults->record());
    record.setProfile(profile);
    m_firstRunFlag = defaults->flag();
    m_items = std::move(values->items);
    m_skin = std::move(values->skin);
    m_saveRefusal.reset();
    return {};
}

} // namespace volantra
