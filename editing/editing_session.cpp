#include "editing/editing_session.h"

#include "common/language_table.h"
#include "device/device_commands.h"
#include "device/device_link.h"
#include "editing/default_item_names.h"
#include "model/device_images_builder.h"
#include "model/ini_file.h"
#include "model/profile_list.h"
#include "model/record_check.h"
#include "pages/apply_pointer_settings.h"

#include <algorithm>

namespace volantra {

EditingSession::EditingSession(Parts parts)
    : m_record(parts.record), m_store(parts.store), m_link(parts.link),
      m_lockFolder(std::move(parts.lockFolder)), m_desktop(parts.desktop)
{
}

LoadProblems EditingSession::loadCurrent()
{
    LoadProblems problems;
    if (Status loaded = m_store.loadCurrentProfile(m_record); !loaded) {
        problems.profile = loaded.error();
        // Without a usable list no profile is known to be current: the first one is
        // shown, and no file is written.
        if (!m_store.currentProfilePath()) {
            problems.shownReadOnly = true;
            if (Status shown = m_store.loadFirstProfileReadOnly(m_record); !shown)
                problems.readOnlyCopy = shown.error();
        }
    }
    if (!m_languageChosen) {
        m_store.setLanguage(languageFromCode(m_store.readLanguageCode()));
        m_languageChosen = true;
    }
    if (Status read = m_store.readProfileIni(); !read)
        problems.ini = read.error();
    if (m_store.firstRunFlag() == 0) {
        ProfileStore::ItemNames names = m_store.itemNames();
        fillDefaultItemNames(names, m_record, LanguageTable::forLanguage(m_store.language()));
        m_store.setItemNames(names);
    }
    takeSnapshot();
    return problems;
}

LoadProblems EditingSession::reloadKeepingProfile()
{
    // The profile byte is the mouse's, not the file's.
    const std::uint8_t profile = m_record.profile();
    LoadProblems problems = loadCurrent();
    m_record.setProfile(profile);
    takeSnapshot();
    return problems;
}

LoadProblems EditingSession::switchProfile(ProfileHandOver::Current current)
{
    LoadProblems problems;
    switch (current) {
    case ProfileHandOver::Current::Same:
        break;
    case ProfileHandOver::Current::None:
        m_store.clearCurrentProfile();
        break;
    case ProfileHandOver::Current::Renumbered:
        if (Status followed = m_store.followProfileList(); !followed)
            problems.list = followed.error();
        break;
    case ProfileHandOver::Current::Other:
        // The record now belongs to the chosen profile: its file, its names, its snapshot.
        problems = reloadKeepingProfile();
        break;
    }
    return problems;
}

void EditingSession::takeSnapshot()
{
    // The buttons' labels belong to their bytes: Cancel restores both.
    m_snapshot.take(m_record, m_store.itemNames());
}

bool EditingSession::hasUnappliedEdits() const
{
    SettingsRecord snapshot;
    ButtonLabels labels;
    m_snapshot.restoreInto(snapshot, labels);
    snapshot.setProfile(m_record.profile());
    return !(snapshot == m_record) || labels != m_store.itemNames();
}

void EditingSession::cancel()
{
    ButtonLabels labels;
    m_snapshot.restoreInto(m_record, labels);
    m_store.setItemNames(labels);
}

Status EditingSession::reset()
{
    const std::uint8_t profile = m_record.profile();
    if (Status reset = m_store.resetToDefaults(m_record); !reset)
        return reset;
    m_record.setProfile(profile);
    return {};
}

Status EditingSession::importProfile(const std::string& path)
{
    if (Status imported = m_store.importProfile(path, m_record); !imported)
        return imported;
    // Buttons the file gave no name (no .ini beside it) are named after their function.
    ProfileStore::ItemNames names = m_store.itemNames();
    fillDefaultItemNames(names, m_record, LanguageTable::forLanguage(m_store.language()));
    m_store.setItemNames(names);
    return {};
}

Result<ProfileStore::ExportResult>
EditingSession::exportProfile(const ProfileStore::ExportRequest& request)
{
    return m_store.exportProfile(request, m_record);
}

Status EditingSession::saveWithoutSending()
{
    return m_store.saveProfile(m_record);
}

Result<PendingApply> EditingSession::beginApply()
{
    // A record that was never loaded would overwrite a good profile with what it holds.
    if (const std::optional<Error>& refusal = m_store.saveRefusal())
        return *refusal;
    const std::vector<std::string> unsendable = settingsTheMouseRefuses(m_record);
    if (!unsendable.empty()) {
        std::string problems;
        for (const std::string& problem : unsendable)
            problems += (problems.empty() ? "" : "\n") + problem;
        return Error{Error::Kind::InvalidInput, problems};
    }
    PendingApply pending;
    // Without a way to lock, the caller holds the data folder's lock itself.
    if (m_lockFolder) {
        Result<std::unique_ptr<FolderLock>> lock = m_lockFolder();
        if (!lock)
            return lock.error();
        pending.lock = std::move(*lock);
    }
    pending.record = m_record;
    pending.changedOnDisk = m_store.changedOnDisk();
    return pending;
}

SendOutcome EditingSession::send(DeviceLink* link, SettingsRecord& record)
{
    SendOutcome outcome;
    if (!link)
        return outcome;
    // A mouse whose connection sequence failed is asked again; the user wants an answer.
    if (!link->connected() && link->commands()) {
        outcome.reconnection = link->connect();
        if (*outcome.reconnection)
            record.setProfile(**outcome.reconnection);
    }
    DeviceCommands* commands = link->connected() ? link->commands() : nullptr;
    if (!commands)
        return outcome;
    outcome.attempted = true;
    if (Status sent = commands->apply(buildDeviceImages(record)); !sent)
        outcome.failure = sent.error();
    return outcome;
}

ApplyReport EditingSession::finishApply(PendingApply pending, SendOutcome sent)
{
    ApplyReport report;
    report.sent = std::move(sent);
    const Status saved = m_store.saveAppliedProfile(pending.record);
    if (!saved)
        report.saveFailure = saved.error();
    // The record keeps the profile byte it was saved with (and a new one the mouse gave).
    m_record.setProfile(pending.record.profile());
    // Cancel goes back to what the mouse holds: what it was sent, else what was saved.
    if (report.sent.reached() || saved)
        m_snapshot.take(pending.record, m_store.itemNames());
    // The desktop's pointer settings go with the mouse: without one they stay as they are.
    if (m_desktop && m_link && m_link->connected())
        report.pointer = applyPointerSettings(pending.record, *m_desktop);
    return report;
}

Result<ApplyReport> EditingSession::apply()
{
    Result<PendingApply> pending = beginApply();
    if (!pending)
        return pending.error();
    SendOutcome sent = send(m_link, pending->record);
    return finishApply(std::move(*pending), std::move(sent));
}

Status EditingSession::chooseProfile(const std::string& path, AtomicFileWriter& writer,
                                     const std::string& name)
{
    Result<IniFile> ini = IniFile::load(path, writer);
    if (!ini)
        return ini.error();
    const ProfileList list = ProfileList::read(ini->document());
    if (!list.isUsable())
        return Error{Error::Kind::NotFound, path + ": no profile list (ItemCount " +
                                                std::to_string(list.declaredCount()) + ")"};
    if (std::find(list.names().begin(), list.names().end(), name) == list.names().end())
        return Error{Error::Kind::InvalidInput, path + ": no profile named \"" + name + "\""};
    return ini->writeString(ProfileList::kSection, ProfileList::kCurrentNameKey, name);
}

} // namespace volantra
