#include "profiles/profile_manager.h"

#include "common/text.h"
#include "model/ini_document.h"
#include "model/ini_file.h"
#include "model/profile_file.h"
#include "model/profile_list.h"
#include "model/profile_store.h"
#include "profiles/file_change_journal.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <set>
#include <utility>

namespace volantra {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::string_view kItemKeyPrefix = "Item";
// Item numbers beyond this are no profile numbers the program ever wrote.
constexpr std::size_t kMaxItemDigits = 4;

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

// The number of a key "Item<number>" written as the program writes it: no sign, no
// leading zeros. Keys compare without regard to case, as all INI keys do.
std::optional<std::size_t> itemNumber(std::string_view key)
{
    if (key.size() <= kItemKeyPrefix.size() ||
        !equalIgnoringCase(key.substr(0, kItemKeyPrefix.size()), kItemKeyPrefix))
        return std::nullopt;
    const std::string_view digits = key.substr(kItemKeyPrefix.size());
    if (digits.size() > kMaxItemDigits || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

// The decimal number the text starts with; 0 when it starts with none or one too large.
std::uint64_t leadingNumber(std::string_view text)
{
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() ? number : 0;
}

// C0 controls, DEL and the C1 controls (U+0080 to U+009F, C2 80 to C2 9F in UTF-8).
bool holdsControlCharacter(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F)
            return true;
        if (byte == 0xC2 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F)
                return true;
        }
    }
    return false;
}

Error invalid(std::string message)
{
    return Error{Error::Kind::InvalidInput, std::move(message)};
}

} // namespace

ProfileManager::ProfileManager(const ProfileStore& store, AtomicFileWriter& writer)
    : m_store(&store), m_writer(&writer),
      m_directory(fs::path(store.defaultIniPath()).parent_path().string())
{
    if (store.currentProfilePath())
        m_recordFile = store.currentProfileIndex();
}

std::string ProfileManager::file(const std::string& name) const
{
    return (fs::path(m_directory) / name).string();
}

Result<ProfileManager> ProfileManager::open(const ProfileStore& store, AtomicFileWriter& writer)
{
    ProfileManager manager(store, writer);
    const std::string listPath = store.defaultIniPath();
    Result<std::optional<Bytes>> bytes = IniFile::readBytes(listPath);
    if (!bytes)
        return Error{bytes.error().kind,
                     bytes.error().message + "; the profile list was left as it is"};
    manager.m_listFileExists = bytes->has_value();
    if (!manager.m_listFileExists)
        return manager;

    // Every Item key there is counts, whatever ItemCount says, so that a list with a
    // wrong count is shown and kept rather than lost.
    const IniDocument document = IniDocument::parse(**bytes);
    std::vector<std::pair<std::size_t, std::string>> items;
    for (const IniEntry& entry : document.entries(ProfileList::kSection)) {
        if (const std::optional<std::size_t> number = itemNumber(entry.key))
            items.emplace_back(*number, entry.value);
    }
    std::ranges::sort(items, {}, &std::pair<std::size_t, std::string>::first);
    if (items.size() > kMaxProfiles) {
        manager.m_readingNotice = listPath + " lists " + std::to_string(items.size()) +
                                  " profiles; only the first " + std::to_string(kMaxProfiles) +
                                  " are shown, and saving the list keeps only those.";
        items.resize(kMaxProfiles);
    }
    for (auto& [number, name] : items) {
        manager.m_names.push_back(std::move(name));
        manager.m_origins.push_back({Origin::Kind::File, number});
        manager.m_listedFiles.push_back(number);
    }
    manager.m_selected = ProfileList::findCurrent(
        manager.m_names,
        document.readString(ProfileList::kSection, ProfileList::kCurrentNameKey, ""));
    manager.m_selectedAtReading = manager.m_selected;
    return manager;
}

Result<std::string> ProfileManager::checkName(std::string_view typed)
{
    const std::string_view name = trimmed(typed);
    if (name.empty())
        return invalid("A profile needs a name.");
    if (holdsControlCharacter(name))
        return invalid("A profile name cannot hold control characters such as tabs or line "
                       "breaks.");
    if (name.size() > IniDocument::kMaxValueLength)
        return invalid("A profile name can be at most " +
                       std::to_string(IniDocument::kMaxValueLength) + " bytes long.");
    return std::string(name);
}

bool ProfileManager::nameTaken(std::string_view name, std::optional<std::size_t> except) const
{
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (i != except && equalIgnoringCase(m_names[i], name))
            return true;
    }
    return false;
}

std::string ProfileManager::uniqueName(std::string_view stem, std::string_view separator,
                                       std::uint64_t firstNumber) const
{
    // At most six names are in use, so one of the next seven numbers is free.
    for (std::uint64_t number = firstNumber;; ++number) {
        std::string name = std::string(stem) + std::string(separator) + std::to_string(number);
        if (name.size() > IniDocument::kMaxValueLength)
            return uniqueName(kNewNamePrefix, "_", number);
        if (!nameTaken(name, std::nullopt))
            return name;
    }
}

Status ProfileManager::select(std::size_t index)
{
    if (index >= m_names.size())
        return Error{Error::Kind::NotFound, "there is no profile " + std::to_string(index)};
    m_selected = index;
    return {};
}

Status ProfileManager::addNew()
{
    if (m_names.size() >= kMaxProfiles)
        return invalid(kLimitMessage);
    std::string name;
    if (m_names.empty()) {
        name = uniqueName(kNewNamePrefix, "_", 0);
    } else {
        const std::string& last = m_names.back();
        const std::size_t underscore = last.find('_');
        if (underscore != std::string::npos)
            name = uniqueName(kNewNamePrefix, "_", leadingNumber(last.substr(underscore + 1)) + 1);
        else
            name = uniqueName(last, "_", m_names.size());
    }
    m_names.push_back(std::move(name));
    m_origins.push_back({Origin::Kind::New, 0});
    m_selected = m_names.size() - 1;
    m_listChanged = true;
    return {};
}

Status ProfileManager::copy(std::size_t index, std::string_view prefix)
{
    if (index >= m_names.size())
        return Error{Error::Kind::NotFound, "there is no profile " + std::to_string(index)};
    if (m_names.size() >= kMaxProfiles)
        return invalid(kLimitMessage);
    std::string name = std::string(prefix) + " " + m_names[index];
    for (int number = 2; nameTaken(name, std::nullopt); ++number)
        name = std::string(prefix) + " " + m_names[index] + " (" + std::to_string(number) + ")";
    if (name.size() > IniDocument::kMaxValueLength)
        return invalid("The name of the copy would be too long; give the profile a shorter name "
                       "first.");
    Origin origin = m_origins[index];
    if (origin.kind == Origin::Kind::File)
        origin.kind = Origin::Kind::Copy;
    m_names.push_back(std::move(name));
    m_origins.push_back(origin);
    m_listChanged = true;
    return {};
}

Status ProfileManager::rename(std::size_t index, std::string_view typed)
{
    if (index >= m_names.size())
        return Error{Error::Kind::NotFound, "there is no profile " + std::to_string(index)};
    Result<std::string> name = checkName(typed);
    if (!name)
        return name.error();
    if (nameTaken(*name, index))
        return invalid("Another profile is already called \"" + *name + "\".");
    m_selected = index;
    if (m_names[index] != *name) {
        m_names[index] = std::move(*name);
        m_listChanged = true;
    }
    return {};
}

Status ProfileManager::remove(std::size_t index)
{
    if (index >= m_names.size())
        return Error{Error::Kind::NotFound, "there is no profile " + std::to_string(index)};
    m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(index));
    m_origins.erase(m_origins.begin() + static_cast<std::ptrdiff_t>(index));
    m_listChanged = true;
    if (m_selected == index) {
        // Deleting another profile must not make a third one current.
        m_selected.reset();
        for (std::size_t i = 0; m_recordFile && i < m_origins.size(); ++i) {
            if (m_origins[i] == Origin{Origin::Kind::File, *m_recordFile})
                m_selected = i;
        }
    } else if (m_selected && *m_selected > index) {
        --*m_selected;
    }
    return {};
}

bool ProfileManager::hasChanges() const
{
    return m_listChanged || m_selected != m_selectedAtReading;
}

std::optional<std::size_t> ProfileManager::effectiveCurrent() const
{
    if (m_names.empty())
        return std::nullopt;
    return ProfileList::findCurrent(m_names, m_names[m_selected.value_or(0)]);
}

ProfileHandOver::Current ProfileManager::currentAfterCommit() const
{
    if (!hasChanges())
        return ProfileHandOver::Current::Same;
    const std::optional<std::size_t> current = effectiveCurrent();
    if (!current)
        return ProfileHandOver::Current::None;
    if (m_recordFile && m_origins[*current] == Origin{Origin::Kind::File, *m_recordFile})
        return *current == *m_recordFile ? ProfileHandOver::Current::Same
                                         : ProfileHandOver::Current::Renumbered;
    return ProfileHandOver::Current::Other;
}

bool ProfileManager::replacesRecord() const
{
    return currentAfterCommit() == ProfileHandOver::Current::Other;
}

Result<ProfileHandOver> ProfileManager::load(std::size_t index, const SettingsRecord& record)
{
    return handOver(ProfileHandOver::Request::Import, index, record);
}

Result<ProfileHandOver> ProfileManager::save(std::size_t index, const SettingsRecord& record)
{
    return handOver(ProfileHandOver::Request::Export, index, record);
}

Result<ProfileHandOver> ProfileManager::close(const SettingsRecord& record)
{
    return handOver(ProfileHandOver::Request::Closed, 0, record);
}

Result<ProfileHandOver> ProfileManager::handOver(ProfileHandOver::Request request,
                                                 std::size_t index, const SettingsRecord& record)
{
    if (request != ProfileHandOver::Request::Closed) {
        if (Status selected = select(index); !selected)
            return selected.error();
        // The store finds a profile by its name; with two of one name it finds the later.
        if (effectiveCurrent() != index)
            return invalid("Two profiles are called \"" + m_names[index] +
                           "\"; give one of them another name first.");
    }
    const ProfileHandOver::Current current = currentAfterCommit();
    if (Status committed = commit(record); !committed)
        return committed.error();
    ProfileHandOver handOver;
    handOver.request = request;
    handOver.current = current;
    // Unchanged and without a selection, the current profile is still the record's.
    handOver.profile =
        static_cast<std::uint8_t>(m_selected ? *m_selected : m_recordFile.value_or(0));
    return handOver;
}

Result<Bytes> ProfileManager::newProfileIni() const
{
    // A new profile keeps the skin and language of the profile the record holds, with the
    // record's button names.
    const std::optional<std::string>& currentIni = m_store->currentIniPath();
    std::error_code ignored;
    const std::string model =
        currentIni && fs::exists(*currentIni, ignored) ? *currentIni : m_store->defaultIniPath();
    Result<IniFile> ini = IniFile::load(model, *m_writer);
    if (!ini)
        return ini.error();
    IniDocument& document = ini->document();
    document.removeSection(ProfileList::kSection);
    const char* section = ProfileStore::itemSection(m_store->language());
    const ProfileStore::ItemNames& items = m_store->itemNames();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (Status written =
                document.writeString(section, "Item" + std::to_string(i + 1), items[i]);
            !written)
            return Error{written.error().kind,
                         "button name " + std::to_string(i + 1) +
                             " for a new profile: " + written.error().message};
    }
    return document.serialize();
}

Result<std::optional<Bytes>> ProfileManager::listBytes() const
{
    const std::string listPath = m_store->defaultIniPath();
    // A missing str.ini is only made for a list with profiles in it.
    if (m_names.empty() && !m_listFileExists)
        return std::optional<Bytes>();
    Result<IniFile> list = IniFile::load(listPath, *m_writer);
    if (!list)
        return list.error();
    std::vector<IniEntry> entries;
    const std::optional<std::size_t> current = effectiveCurrent();
    entries.push_back({ProfileList::kCurrentNameKey, current ? m_names[*current] : std::string()});
    if (!m_names.empty()) {
        entries.push_back({ProfileList::kCountKey, std::to_string(m_names.size())});
        for (std::size_t i = 0; i < m_names.size(); ++i)
            entries.push_back({"Item" + std::to_string(i), m_names[i]});
    }
    if (Status replaced = list->document().replaceSection(ProfileList::kSection, entries);
        !replaced)
        return Error{replaced.error().kind, listPath + ": " + replaced.error().message};
    return std::optional<Bytes>(list->document().serialize());
}

Status ProfileManager::moveFiles(const SettingsRecord& record, FileChangeJournal& journal) const
{
    const auto binPath = [&](std::size_t number) {
        return file(ProfileStore::profileFileName(static_cast<std::uint8_t>(number)));
    };
    const auto iniPath = [&](std::size_t number) {
        return file(ProfileStore::profileIniName(static_cast<std::uint8_t>(number)));
    };

    // The contents of copies and new profiles, read before anything moves.
    struct NewFiles
    {
        std::size_t position;
        Bytes bin;
        Bytes ini;
    };
    std::vector<NewFiles> newFiles;
    std::optional<Bytes> seedIni;
    for (std::size_t i = 0; i < m_origins.size(); ++i) {
        const Origin& origin = m_origins[i];
        if (origin.kind == Origin::Kind::File)
            continue;
        NewFiles files{i, {}, {}};
        std::optional<Bytes> bin;
        std::optional<Bytes> ini;
        if (origin.kind == Origin::Kind::Copy) {
            Result<std::optional<Bytes>> readBin = IniFile::readBytes(binPath(origin.file));
            if (!readBin)
                return readBin.error();
            Result<std::optional<Bytes>> readIni = IniFile::readBytes(iniPath(origin.file));
            if (!readIni)
                return readIni.error();
            bin = std::move(*readBin);
            ini = std::move(*readIni);
        }
        // What the source lacks, or all of a new profile, starts from the record.
        if (!bin) {
            const ProfileFile::Bytes serialized = ProfileFile::serialize(record);
            bin = Bytes(serialized.begin(), serialized.end());
        }
        if (!ini) {
            if (!seedIni) {
                Result<Bytes> made = newProfileIni();
                if (!made)
                    return made.error();
                seedIni = std::move(*made);
            }
            ini = seedIni;
        }
        files.bin = std::move(*bin);
        files.ini = std::move(*ini);
        newFiles.push_back(std::move(files));
    }

    std::set<std::size_t> sources;
    for (const Origin& origin : m_origins) {
        if (origin.kind == Origin::Kind::File)
            sources.insert(origin.file);
    }
    std::set<std::size_t> involved(m_listedFiles.begin(), m_listedFiles.end());
    for (std::size_t i = 0; i < m_names.size(); ++i)
        involved.insert(i);

    // Deleted profiles, and stale files where a new one goes, are moved aside.
    for (const std::size_t number : involved) {
        if (sources.contains(number))
            continue;
        for (const std::string& path : {binPath(number), iniPath(number)}) {
            if (Status moved = journal.rename(path, path + kBackupSuffix, true); !moved)
                return moved;
        }
    }
    // Profiles only ever move to lower numbers, and in ascending order each finds its
    // place free.
    for (std::size_t i = 0; i < m_origins.size(); ++i) {
        const Origin& origin = m_origins[i];
        if (origin.kind != Origin::Kind::File || origin.file == i)
            continue;
        if (Status moved = journal.rename(binPath(origin.file), binPath(i)); !moved)
            return moved;
        if (Status moved = journal.rename(iniPath(origin.file), iniPath(i)); !moved)
            return moved;
    }
    for (const NewFiles& files : newFiles) {
        if (Status made = journal.create(binPath(files.position), files.bin); !made)
            return made;
        if (Status made = journal.create(iniPath(files.position), files.ini); !made)
            return made;
    }
    return {};
}

Status ProfileManager::commit(const SettingsRecord& record)
{
    if (!hasChanges())
        return {};
    Result<std::optional<Bytes>> list = listBytes();
    if (!list)
        return list.error();

    FileChangeJournal journal(*m_writer);
    Status done = moveFiles(record, journal);
    if (done && *list)
        done = m_writer->writeFile(m_store->defaultIniPath(), **list);
    if (!done) {
        std::string message = done.error().message;
        if (Status undone = journal.undo(); !undone)
            message += "; putting the profile files back failed too: " + undone.error().message;
        else
            message += "; the profiles were left as they were";
        return Error{done.error().kind, message};
    }
    journal.keep();

    // What is on disk now is the new starting point.
    const std::optional<std::size_t> current = effectiveCurrent();
    m_listedFiles.clear();
    for (std::size_t i = 0; i < m_origins.size(); ++i) {
        m_origins[i] = {Origin::Kind::File, i};
        m_listedFiles.push_back(i);
    }
    m_selected = current;
    m_selectedAtReading = current;
    m_recordFile = current;
    m_listChanged = false;
    m_listFileExists = m_listFileExists || list->has_value();
    return {};
}

} // namespace volantra
