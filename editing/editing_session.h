#pragma once

#include "assign/assignment_snapshot.h"
#include "common/folder_lock.h"
#include "common/pointer_settings.h"
#include "common/result.h"
#include "model/profile_store.h"
#include "model/settings_record.h"
#include "profiles/profile_manager.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace volantra {

class AtomicFileWriter;
class DeviceLink;

// What went wrong while the current profile was read; the record holds what could be read.
struct LoadProblems
{
    std::optional<Error> profile; // the current profile's file could not be loaded
    // Without a usable profile list the first profile is shown, to be looked at only.
    bool shownReadOnly = false;
    std::optional<Error> readOnlyCopy; // even that could not be read
    std::optional<Error> ini;          // the button names and skin of the profile INI
    std::optional<Error> list;         // the profile list could not be followed
};

// One Apply between its start and its end: the data folder's lock and the record as it is
// sent and saved. The record the user edits may change meanwhile; this copy does not.
struct PendingApply
{
    std::unique_ptr<FolderLock> lock;
    SettingsRecord record;
    // The profile's files were changed by another program since they were loaded: the
    // user chooses between overwriting them and reloading them before anything is sent.
    bool changedOnDisk = false;
};

// What the device part of an Apply did. It touches only the device link, so it may run on
// a thread of its own while the owner of the session waits for it.
struct SendOutcome
{
    bool attempted = false; // a mouse was there to be sent to
    // The connection sequence asked again before sending, and what it answered.
    std::optional<Result<std::uint8_t>> reconnection;
    std::optional<Error> failure; // the sending failed, or the mouse did not answer
    bool reached() const { return attempted && !failure; }
};

// What became of an Apply once it ended.
struct ApplyReport
{
    SendOutcome sent;
    std::optional<Error> saveFailure;
    // The desktop's pointer settings, when they were applied (only while a mouse is there).
    std::optional<PointerReport> pointer;
};

// The user's editing of the current profile, for the window and for volantra-cli alike:
// the settings record and the button labels as they are edited, the snapshot they go back
// to on Cancel, the profile files, and the mouse they are applied to. It holds the rules of
// Apply, Cancel, Reset, import, export and profile switching; the front ends ask it and
// tell the user what it answers. Every operation runs on the thread that owns the session,
// except send(), which touches only the device link.
class EditingSession
{
public:
    // Takes the data folder's lock for one change of its files.
    using FolderLocking = std::function<Result<std::unique_ptr<FolderLock>>()>;

    struct Parts
    {
        SettingsRecord& record; // what the sections show and edit
        ProfileStore& store;    // the profile files and the button labels
        DeviceLink* link = nullptr;
        FolderLocking lockFolder;
        PointerSettings* desktop = nullptr; // none: the pointer settings are left alone
    };
    explicit EditingSession(Parts parts);

    SettingsRecord& record() { return m_record; }
    const SettingsRecord& record() const { return m_record; }
    ProfileStore& store() { return m_store; }
    const ProfileStore& store() const { return m_store; }
    void setDesktop(PointerSettings* desktop) { m_desktop = desktop; }

    // Reads the current profile (record, labels) and takes the snapshot. The language of
    // the labels is the one of the first profile loaded and kept afterwards.
    LoadProblems loadCurrent();
    // The current profile from its files again, as a whole, keeping the profile number the
    // mouse reported: on a mouse's arrival, a change by another program, a profile switch.
    LoadProblems reloadKeepingProfile();
    // What the profile manager did to the current profile (the record follows).
    LoadProblems switchProfile(ProfileHandOver::Current current);
    // The mouse answered its connection with this profile number.
    void followMouseProfile(std::uint8_t profile) { m_record.setProfile(profile); }

    // Edits of the record or the labels since the snapshot; the profile byte follows the
    // mouse, not the user, and counts as no edit.
    bool hasUnappliedEdits() const;
    // Back to the snapshot, labels included.
    void cancel();
    // The defaults of the data folder, keeping the macros and the profile number. Applied
    // or saved by the caller; a failure changes nothing.
    Status reset();
    // A profile file as the record (waiting for Apply); buttons it gives no name are named
    // after their function.
    Status importProfile(const std::string& path);
    Result<ProfileStore::ExportResult> exportProfile(const ProfileStore::ExportRequest& request);
    // Saves the record and the labels as they are, without sending them (volantra-cli's
    // changes, which never touch the mouse).
    Status saveWithoutSending();

    // Apply in three steps, so the front end can ask about files changed on disk after
    // begin() and run send() on another thread. begin() refuses (nothing is sent or saved)
    // a record that was never loaded, settings the mouse does not take, and a data folder
    // another program keeps locked.
    Result<PendingApply> beginApply();
    // Sends the pending record (asking a mouse whose connection failed again first). Only
    // the device link is touched: safe on another thread while the owner waits.
    static SendOutcome send(DeviceLink* link, SettingsRecord& record);
    // Saves what was sent, takes the snapshot and sets the desktop's pointer settings while
    // the mouse is there. On the owner's thread, after send().
    ApplyReport finishApply(PendingApply pending, SendOutcome sent);
    // All three at once, overwriting files changed on disk.
    Result<ApplyReport> apply();

    // Chooses the profile named `name` of the profile list (str.ini at `path`) as the
    // current one; a name not in the list is refused as invalid input.
    static Status chooseProfile(const std::string& path, AtomicFileWriter& writer,
                                const std::string& name);

private:
    void takeSnapshot();

    SettingsRecord& m_record;
    ProfileStore& m_store;
    DeviceLink* m_link;
    FolderLocking m_lockFolder;
    PointerSettings* m_desktop;
    AssignmentSnapshot m_snapshot;
    bool m_languageChosen = false;
};

} // namespace volantra
