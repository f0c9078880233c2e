#pragma once

#include "app/app_options.h"
#include "app/apply_lockout.h"
#include "app/qt/busy_cursor.h"
#include "app/qt/user_notices.h"
#include "app/qt/user_questions.h"
#include "common/result.h"
#include "device/device_event.h"
#include "editing/editing_session.h"
#include "macro/macro_editor.h"
#include "model/settings_record.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QSystemTrayIcon;

namespace volantra {

class ApplyRunner;
class DataFolder;
class FolderLock;
class HelpPanelToggle;
class ProfileManagerDialog;
struct ProfileHandOver;
class DeviceSession;
class LanguageTable;
class MainPanels;
class MainWindow;
class MouseConnection;
class SkinLibrary;
class PointerSettings;
class ProfileFileRequests;
class TrayIcon;
struct WindowSections;
class PosixAtomicFileWriter;
class ProfileStore;
class WindowLook;
enum class WindowButton;

// Owns everything the running program has (the device session and its listener, the
// editing session with the settings record, the skin, the window, the tray icon) and wires
// them to Qt: the window's buttons and the mouse's events go to the editing session, and
// what it answers is told to the user.
class MainController : public QObject
{
    Q_OBJECT

public:
    using Question = UserQuestion;
    using Answer = UserAnswer;
    using Asker = std::function<Answer(Question)>;
    // Chooses a profile file to load (save false) or to save to, starting at `start`;
    // empty when the user cancelled.
    using FileChooser = std::function<QString(bool save, const QString& start)>;

    explicit MainController(AppOptions options, QObject* parent = nullptr);
    ~MainController() override;

    // Start-up after the single-instance check; an error ends the program with status 1.
    Status start();
    // A request forwarded by a second start: "show" or "update".
    void handleRequest(const QString& request);

    // Save: the mouse is sent to on another thread; applyEnded() tells when it is done.
    void apply();
    bool applyRunning() const;
    void cancel();
    void reset();
    void openWindow();
    void showWindow();
    void minimise();
    void requestClose(); // the close button and Exit in the tray menu
    // The window manager's close: with a tray the program stays there, without one it ends.
    void windowCloseRequested();

    bool hasUnappliedEdits() const;
    bool trayAvailable() const { return m_tray != nullptr; }
    // Whether the desktop has a tray, as Qt reports it; tests set it before start().
    void setTrayAvailable(bool available) { m_trayAvailable = available; }
    void setAsker(Asker asker) { m_ask = std::move(asker); }
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    // LOAD and SAVE of a profile file chosen by the user (the profile manager's requests).
    void importProfile();
    void exportProfile();
    // The macro manager; its OK hands the macro images to the record.
    void openMacroManager();
    // The profile manager panel over the window, and what it hands over when it acts.
    void openProfileManager();
    void handleProfileHandOver(const ProfileHandOver& handOver);
    void toggleHelp();
    void launchUpdater();
    // The window's images for the highest pixel ratio of the screens, which changes when a
    // screen is plugged in or out.
    void followPixelRatio(qreal ratio);
    // The desktop whose pointer settings Apply writes; the session's desktop by default.
    void setPointerSettings(std::unique_ptr<PointerSettings> desktop);

    // The data folder the program keeps its profiles, macros and skins in.
    const std::string& dataDirectory() const;
    MainWindow& window() { return *m_window; }
    MainPanels& panels();
    DeviceSession& session() { return *m_session; }
    SettingsRecord& record() { return m_record; }
    ProfileStore& store() { return *m_store; }
    DesktopNotifier& notifier() { return m_notices.notifier(); }
    const LanguageTable& language() const { return *m_language; }
    QColor textColour() const;
    QSystemTrayIcon* tray();
    SkinLibrary& skin();
    bool busyCursorShown() const { return m_busyCursor.shown(); }

signals:
    // The program has ended cleanly: listener stopped, handles closed, icon removed.
    void finished(int exitCode);
    // An Apply (Save, or the one of Reset) has ended and been told.
    void applyEnded();

private:
    // Files of the data folder that volantra-cli (or anything else) changes are shown at
    // once while nothing is edited; with edits, Save asks instead.
    void dataFolderChanged();
    // The current profile from its files again, as a whole: record, names and snapshot.
    void reloadProfile();
    Status createWindow();
    void createTray();
    void refreshWindow();
    QString text(const char* english) const;
    void onWindowButton(WindowButton button);
    // Asks what becomes of the edits not applied yet, Apply sending them; true when the
    // switch or exit asked for may go on.
    bool settleUnappliedEdits(Question question);
    void exitProgram();

    AppOptions m_options;
    const std::function<QString(const char* english)> m_text;
    UserNotices m_notices;
    std::unique_ptr<DataFolder> m_folder;
    ProfileStore* m_store = nullptr;           // the folder's
    PosixAtomicFileWriter* m_writer = nullptr; // the folder's
    std::unique_ptr<DeviceSession> m_session;

    SettingsRecord m_record;
    std::unique_ptr<PointerSettings> m_pointerSettings;
    std::unique_ptr<EditingSession> m_editing;
    std::unique_ptr<MouseConnection> m_mouse;
    std::unique_ptr<ProfileFileRequests> m_files;
    const LanguageTable* m_language = nullptr;
    std::unique_ptr<WindowLook> m_look;

    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<WindowSections> m_sections;
    TrayIcon* m_tray = nullptr;

    MacroOptions m_macroOptions;
    QPointer<ProfileManagerDialog> m_profileManager;
    std::unique_ptr<HelpPanelToggle> m_help;
    ApplyLockout m_applyLockout;
    BusyCursor m_busyCursor;
    bool m_cancelPending = false;
    bool m_exiting = false;
    std::optional<bool> m_trayAvailable; // asked of the desktop at start unless set
    bool m_closeAfterApply = false;      // Exit waits for the Apply being sent
    Asker m_ask;
    FileChooser m_chooseFile;
    // Last, so it is gone (its sending ended) before anything the sending uses.
    std::unique_ptr<ApplyRunner> m_applyRunner;
};

} // namespace volantra
