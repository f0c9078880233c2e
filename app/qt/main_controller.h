#pragma once

#include "app/app_options.h"
#include "app/apply_lockout.h"
#include "app/device_notice.h"
#include "app/notice_policy.h"
#include "app/qt/desktop_notifier.h"
#include "app/window_areas.h"
#include "common/result.h"
#include "device/device_event.h"
#include "device/event_hand_over.h"
#include "macro/macro_editor.h"
#include "model/settings_record.h"
#include "model/settings_snapshot.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QFileSystemWatcher;
class QMenu;
class QSocketNotifier;
class QSystemTrayIcon;

namespace volantra {

class DataDirectory;
class FolderLock;
class HelpPanelToggle;
class ProfileManagerDialog;
struct ProfileHandOver;
class DeviceSession;
class EventListener;
class HotplugMonitor;
class LanguageTable;
class MainPanels;
class MainWindow;
class PointerSettings;
class SectionView;
struct SectionContext;
class UnsupportedSettingNotice;
class PosixAtomicFileWriter;
class ProfileStore;
class SkinLibrary;

// Owns everything the running program has (the device session and its listener, the
// settings record and its snapshot, the profile store, the skin, the window, the tray
// icon) and carries out what the user and the mouse ask for: Apply, Cancel, Reset, the
// device's events, hot-plug, showing the window and ending the program.
class MainController : public QObject
{
    Q_OBJECT

public:
    // Questions the user is asked; tests answer them without a dialog.
    enum class Question {
        ConfirmReset,
        ExitWithUnappliedEdits,
        ReplaceExportedCopy,
        SwitchProfileWithUnappliedEdits,
        ProfileChangedOnDisk,
    };
    enum class Answer { Yes, Apply, Discard, Cancel, Overwrite, Reload };
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

    void apply();
    void cancel();
    void reset();
    void openWindow();
    void minimise();
    void requestClose(); // the close button and Exit in the tray menu
    // The window manager's close: with a tray the program stays there, without one it ends.
    void windowCloseRequested();
    void handleDeviceEvent(DeviceEvent event);
    void showNotice(NoticeCause cause);
    void processHotplug();

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
    // The desktop whose pointer settings Apply writes; the session's desktop by default.
    void setPointerSettings(std::unique_ptr<PointerSettings> desktop);

    // The data folder the program keeps its profiles, macros and skins in.
    const std::string& dataDirectory() const;
    MainWindow& window() { return *m_window; }
    MainPanels& panels() { return *m_panels; }
    DeviceSession& session() { return *m_session; }
    SettingsRecord& record() { return m_record; }
    ProfileStore& store() { return *m_store; }
    DesktopNotifier& notifier() { return m_notifier; }
    const LanguageTable& language() const { return *m_language; }
    QColor textColour() const { return m_textColour; }
    QSystemTrayIcon* tray() { return m_tray; }
    bool busyCursorShown() const { return m_busyCursorShown; }

signals:
    // The program has ended cleanly: listener stopped, handles closed, icon removed.
    void finished(int exitCode);

private:
    Status openDataDirectory();
    void openDevice();
    void startListener();
    void watchHotplug();
    // Files of the data folder that volantra-cli (or anything else) changes are shown at
    // once while nothing is edited; with edits, Save asks instead.
    void watchDataFolder();
    void dataFolderChanged();
    void loadProfile();
    // The current profile from its files again, as a whole: record, names and snapshot.
    void reloadProfile();
    void reportLoadFailure(const Error& error);
    // The data folder's lock for one change of its files; nothing when another program
    // keeps it (the user is told).
    std::unique_ptr<FolderLock> lockDataFolder();
    Status loadSkin();
    void createTray();
    void createPanels();
    void applyPointerSettings();
    void applyLanguage();
    void refreshWindow();
    // The connection sequence; false (and told once) when the mouse did not answer.
    bool connectMouse();
    // Tells once when the mouse's events cannot be read.
    void reportEventInterface();
    // Sends the record to the mouse and saves it; false when the mouse was not reached.
    bool sendAndSave();
    void showBusyCursor();
    void notice(const QString& title, const QString& text,
                DesktopNotifier::Severity severity = DesktopNotifier::Severity::Information);
    // Tells once per run, and on standard error, about a cause that would repeat.
    void noticeOnce(const std::string& cause, const QString& text);
    QString text(const char* english) const;
    void onWindowButton(WindowButton button);
    void reportSkinProblems();
    void exitProgram();
    void takeSnapshot();
    void dispatchPendingEvent();

    AppOptions m_options;
    std::unique_ptr<DataDirectory> m_dataDirectory;
    std::unique_ptr<PosixAtomicFileWriter> m_writer;
    std::unique_ptr<ProfileStore> m_store;
    std::unique_ptr<DeviceSession> m_session;
    std::unique_ptr<EventHandOver> m_handOver;
    std::unique_ptr<EventListener> m_listener;
    std::unique_ptr<HotplugMonitor> m_monitor;
    QSocketNotifier* m_hotplugNotifier = nullptr;
    QFileSystemWatcher* m_folderWatcher = nullptr;

    SettingsRecord m_record;
    SettingsSnapshot m_snapshot;
    std::array<std::string, SettingsRecord::kButtonCount> m_snapshotItems;
    const LanguageTable* m_language = nullptr;
    std::unique_ptr<SkinLibrary> m_skin;
    std::unique_ptr<SkinLibrary> m_defaultSkin;
    QColor m_textColour;
    QFont m_normalFont;
    QFont m_boldFont;

    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<SectionContext> m_sectionContext;
    std::vector<std::unique_ptr<SectionView>> m_sections;
    std::unique_ptr<MainPanels> m_panels;
    std::unique_ptr<PointerSettings> m_pointerSettings;
    std::unique_ptr<UnsupportedSettingNotice> m_unsupportedNotice;
    QSystemTrayIcon* m_tray = nullptr;
    std::unique_ptr<QMenu> m_trayMenu;
    DesktopNotifier m_notifier;
    NoticePolicy m_noticePolicy;

    MacroOptions m_macroOptions;
    QPointer<ProfileManagerDialog> m_profileManager;
    std::unique_ptr<HelpPanelToggle> m_help;
    ApplyLockout m_applyLockout;
    QTimer m_busyCursorTimer;
    bool m_busyCursorShown = false;
    bool m_cancelPending = false;
    // The language of the window's texts and of the button names it reads and writes:
    // chosen by the profile of the first start and kept while the program runs.
    bool m_languageChosen = false;
    bool m_exiting = false;
    bool m_trayAvailable = false;
    bool m_connectionFailureTold = false;
    Asker m_ask;
    FileChooser m_chooseFile;
};

} // namespace volantra
