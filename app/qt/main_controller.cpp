#include "app/qt/main_controller.h"

#include "app/default_item_names.h"
#include "app/device_notice.h"
#include "app/qt/main_window.h"
#include "app/qt/profile_file_dialog.h"
#include "app/qt/window_fonts.h"
#include "assign/qt/button_assignment_section.h"
#include "common/language_table.h"
#include "common/machine_name.h"
#include "device/device_commands.h"
#include "device/event_listener.h"
#include "help/qt/help_panel_toggle.h"
#include "help/updater_launch.h"
#include "macro/macro_store.h"
#include "macro/qt/macro_manager_dialog.h"
#include "model/data_directory.h"
#include "model/device_images_builder.h"
#include "model/profile_store.h"
#include "model/record_check.h"
#include "pages/apply_pointer_settings.h"
#include "pages/qt/angle_snap_section.h"
#include "pages/qt/dpi_section.h"
#include "pages/qt/lighting_section.h"
#include "pages/qt/main_panels.h"
#include "pages/qt/report_rate_section.h"
#include "pages/qt/scroll_speed_section.h"
#include "pages/qt/section_view.h"
#include "pages/qt/speed_dial_section.h"
#include "pages/qt/xy_section.h"
#include "pages/unsupported_setting_notice.h"
#include "platform/device_session.h"
#include "platform/pointer/desktop_pointer_settings.h"
#include "platform/posix_atomic_file_writer.h"
#include "platform/posix_folder_lock.h"
#include "profiles/profile_manager.h"
#include "profiles/qt/profile_manager_dialog.h"
#include "skin/qt/skin_library.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <algorithm>
#include <iostream>

// Resources of a static library are registered by hand, outside any namespace.
static void registerAppResources()
{
    Q_INIT_RESOURCE(app_resources);
}

namespace volantra {

namespace {

constexpr int kBusyCursorMs = 6000;
// How long a change waits for volantra-cli to finish its own; the window stays responsive.
constexpr std::chrono::milliseconds kLockWait{2000};
// The DPI button of the simulated mouse cycles through the stages the mouse reports.
constexpr std::uint8_t kSimulatedMacroKey = 3;

QString fromStd(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Text colours are bytes; values beyond them are taken as the nearest end, not wrapped.
int colourChannel(int value)
{
    return std::clamp(value, 0, 255);
}

} // namespace

MainController::MainController(AppOptions options, QObject* parent)
    : QObject(parent), m_options(std::move(options)), m_noticePolicy(std::cerr)
{
    registerAppResources();
    m_language = &LanguageTable::forLanguage(Language::English);
    m_trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    m_busyCursorTimer.setSingleShot(true);
    m_busyCursorTimer.setInterval(kBusyCursorMs);
    connect(&m_busyCursorTimer, &QTimer::timeout, this, [this] {
        if (m_busyCursorShown) {
            QApplication::restoreOverrideCursor();
            m_busyCursorShown = false;
        }
    });
    m_ask = [this](Question question) {
        QWidget* owner = m_window && m_window->isVisible() ? m_window.get() : nullptr;
        if (question == Question::ConfirmReset) {
            const auto chosen = QMessageBox::question(
                owner, text("Reset"),
                text("Reset replaces the settings of the current profile and of the gaming mouse "
                     "with the factory settings. This cannot be undone. Reset now?"));
            return chosen == QMessageBox::Yes ? Answer::Yes : Answer::Cancel;
        }
        if (question == Question::ReplaceExportedCopy) {
            const auto chosen =
                QMessageBox::question(owner, text("Save Profile"),
                                      text("A profile file with this name already exists in the "
                                           "data folder. Replace it?"));
            return chosen == QMessageBox::Yes ? Answer::Yes : Answer::Cancel;
        }
        if (question == Question::ProfileChangedOnDisk) {
            QMessageBox box(QMessageBox::Question, text("Warning"),
                            text("The profile's files were changed by another program since "
                                 "they were loaded. Overwrite them with the settings shown, or "
                                 "reload them?"),
                            QMessageBox::NoButton, owner);
            QAbstractButton* overwrite = box.addButton(text("Overwrite"), QMessageBox::AcceptRole);
            QAbstractButton* reload = box.addButton(text("Reload"), QMessageBox::DestructiveRole);
            box.addButton(text("Cancel"), QMessageBox::RejectRole);
            box.exec();
            if (box.clickedButton() == overwrite)
                return Answer::Overwrite;
            return box.clickedButton() == reload ? Answer::Reload : Answer::Cancel;
        }
        const bool exiting = question == Question::ExitWithUnappliedEdits;
        QMessageBox box(
            QMessageBox::Question, exiting ? text("Exit") : text("Config"),
            exiting ? text("Some changes have not been applied yet. Apply them before exiting?")
                    : text("Some changes have not been applied yet. Apply them before "
                           "another profile is loaded?"),
            QMessageBox::NoButton, owner);
        QAbstractButton* applyButton = box.addButton(text("Apply"), QMessageBox::AcceptRole);
        QAbstractButton* discardButton =
            box.addButton(text("Discard"), QMessageBox::DestructiveRole);
        box.addButton(text("Cancel"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() == applyButton)
            return Answer::Apply;
        if (box.clickedButton() == discardButton)
            return Answer::Discard;
        return Answer::Cancel;
    };
    m_chooseFile = [this](bool save, const QString& start) {
        QWidget* owner = m_window && m_window->isVisible() ? m_window.get() : nullptr;
        return chooseProfileFile(owner, save, start,
                                 [this](const char* english) { return text(english); });
    };
}

MainController::~MainController()
{
    if (m_handOver)
        m_handOver->abandon();
    if (m_listener)
        m_listener->stop();
    if (m_session)
        m_session->link().close();
    if (m_busyCursorShown)
        QApplication::restoreOverrideCursor();
}

QString MainController::text(const char* english) const
{
    return fromStd(m_language->text(english));
}

Status MainController::start()
{
    if (Status opened = openDataDirectory(); !opened)
        return opened;
    Result<std::unique_ptr<DeviceSession>> session =
        DeviceSession::create({m_options.simulate, m_options.tracePath, false});
    if (!session)
        return session.error();
    m_session = std::move(*session);

    openDevice();
    startListener();
    watchHotplug();
    loadProfile();
    // The window's largest images are decoded on other threads while the fonts load.
    m_skin = std::make_unique<SkinLibrary>(
        SkinRoot::forProfile(m_dataDirectory->path(), m_store->skin().path));
    SkinLibrary::Preload preload =
        m_skin->startPreload({MainWindow::kBackground, "/BK_MainMid.png", "/BK_MainLeft.png",
                              "/BK_MainRight.png", "/Mouse/Front/MouseFront.png", "/Logo.png"});
    applyLanguage();
    m_skin->finishPreload(preload);
    if (Status skin = loadSkin(); !skin)
        return skin;
    createPanels();
    createTray();
    watchDataFolder();
    refreshWindow();

    // Without a tray there is nothing else to open the window from.
    if (m_options.show || !m_tray)
        openWindow();
    return {};
}

const std::string& MainController::dataDirectory() const
{
    return m_dataDirectory->path();
}

Status MainController::openDataDirectory()
{
    DataDirectory::Inputs inputs = DataDirectory::inputsFromEnvironment(m_options.dataDirectory);
    inputs.fillOverride = true;
    Result<DataDirectory> directory = DataDirectory::resolve(inputs);
    if (!directory)
        return directory.error();
    m_dataDirectory = std::make_unique<DataDirectory>(std::move(*directory));
    m_writer = std::make_unique<PosixAtomicFileWriter>();
    m_store = std::make_unique<ProfileStore>(m_dataDirectory->path(), *m_writer);
    // A save that a killed program left half done is finished before anything is read.
    if (std::unique_ptr<FolderLock> lock = lockDataFolder()) {
        if (Status recovered = m_store->recoverUnfinishedSave(); !recovered)
            noticeOnce("recover", fromStd(recovered.error().message));
    }
    return {};
}

std::unique_ptr<FolderLock> MainController::lockDataFolder()
{
    Result<std::unique_ptr<FolderLock>> lock =
        PosixFolderLocker().lock(m_dataDirectory->path(), kLockWait);
    if (!lock) {
        std::cerr << "volantra: " << lock.error().message << "\n";
        notice(text("Warning"),
               text("The settings were neither sent nor saved.") + QLatin1Char('\n') +
                   fromStd(lock.error().message),
               DesktopNotifier::Severity::Warning);
        return nullptr;
    }
    return std::move(*lock);
}

void MainController::openDevice()
{
    DeviceLink& link = m_session->link();
    const Status found = link.discover();
    for (const std::string& warning : link.warnings())
        std::cerr << "volantra: " << warning << "\n";
    if (!found && found.error().kind == Error::Kind::Permission)
        noticeOnce("permission", text("The gaming mouse was found but cannot be opened: permission "
                                      "denied. Install the program's udev rule, then unplug the "
                                      "mouse and plug it in again."));
    if (found) {
        reportEventInterface();
        connectMouse();
    }
}

void MainController::reportEventInterface()
{
    if (const std::optional<Error>& failed = m_session->link().eventOpenError())
        noticeOnce("events",
                   text("The gaming mouse's own notices (a DPI stage or a macro key chosen on the "
                        "mouse) cannot be shown: its event interface cannot be opened. Settings "
                        "still reach the mouse. When the reason is a permission, install the "
                        "program's udev rule (70-volantra.rules), then unplug the mouse and plug "
                        "it in again.") +
                       QLatin1Char('\n') + fromStd(failed->message));
}

bool MainController::connectMouse()
{
    Result<std::uint8_t> profile = m_session->link().connect();
    if (profile) {
        m_record.setProfile(*profile);
        m_connectionFailureTold = false;
        return true;
    }
    std::cerr << "volantra: " << profile.error().message << "\n";
    // Told once until a connection works: every node of one plug-in tries again.
    if (!m_connectionFailureTold) {
        m_connectionFailureTold = true;
        notice(text("Warning"),
               text("The gaming mouse did not answer when it was connected, so it is treated as "
                    "not connected. The program tries again when the mouse is plugged in and at "
                    "the next Apply.") +
                   QLatin1Char('\n') + fromStd(profile.error().message),
               DesktopNotifier::Severity::Warning);
    }
    return false;
}

void MainController::startListener()
{
    m_handOver = std::make_unique<EventHandOver>([this] {
        QMetaObject::invokeMethod(this, &MainController::dispatchPendingEvent,
                                  Qt::QueuedConnection);
    });
    m_listener =
        std::make_unique<EventListener>(m_session->link(), m_session->waker(), *m_handOver);
    m_listener->start();
}

void MainController::dispatchPendingEvent()
{
    m_handOver->dispatchPending([this](DeviceEvent event) { handleDeviceEvent(event); });
}

void MainController::watchHotplug()
{
    Result<std::unique_ptr<HotplugMonitor>> monitor = m_session->backend().createMonitor();
    if (!monitor) {
        std::cerr << "volantra: " << monitor.error().message << "\n";
        noticeOnce("hotplug", text("Plugging the gaming mouse in or out will not be noticed until "
                                   "the program is started again."));
        return;
    }
    m_monitor = std::move(*monitor);
    m_hotplugNotifier =
        new QSocketNotifier(m_monitor->fileDescriptor(), QSocketNotifier::Read, this);
    connect(m_hotplugNotifier, &QSocketNotifier::activated, this, &MainController::processHotplug);
}

void MainController::watchDataFolder()
{
    m_folderWatcher = new QFileSystemWatcher(this);
    // The folder, not the files: a save replaces a file by renaming another over it.
    m_folderWatcher->addPath(QString::fromStdString(m_dataDirectory->path()));
    connect(m_folderWatcher, &QFileSystemWatcher::directoryChanged, this,
            &MainController::dataFolderChanged);
}

void MainController::dataFolderChanged()
{
    if (m_exiting || hasUnappliedEdits() || !m_store->changedOnDisk())
        return;
    reloadProfile();
}

void MainController::reloadProfile()
{
    // The profile byte is the mouse's, not the file's.
    const std::uint8_t profile = m_record.profile();
    loadProfile();
    m_record.setProfile(profile);
    takeSnapshot();
    refreshWindow();
}

void MainController::loadProfile()
{
    if (Status loaded = m_store->loadCurrentProfile(m_record); !loaded)
        reportLoadFailure(loaded.error());
    if (!m_languageChosen) {
        m_store->setLanguage(languageFromCode(m_store->readLanguageCode()));
        m_languageChosen = true;
    }
    if (Status read = m_store->readProfileIni(); !read)
        std::cerr << "volantra: " << read.error().message << "\n";
    if (m_store->firstRunFlag() == 0) {
        ProfileStore::ItemNames names = m_store->itemNames();
        fillDefaultItemNames(names, m_record, LanguageTable::forLanguage(m_store->language()));
        m_store->setItemNames(names);
    }
    takeSnapshot();
}

void MainController::reportLoadFailure(const Error& error)
{
    std::cerr << "volantra: " << error.message << "\n";
    const QString reason = fromStd(error.message);
    if (m_store->currentProfilePath()) {
        // Only a missing file is "not exist"; a damaged one is told as it is.
        const QString what =
            error.kind == Error::Kind::NotFound ? text("Config file is not exist.") : reason;
        noticeOnce("load " + error.message,
                   what + QLatin1Char('\n') +
                       text("Nothing is saved or sent to the gaming mouse until Reset or Load "
                            "gives the profile its settings."));
        return;
    }
    // Without a usable list no profile is known to be current: the first one is shown,
    // and no file is written.
    const Status shown = m_store->loadFirstProfileReadOnly(m_record);
    if (!shown)
        std::cerr << "volantra: " << shown.error().message << "\n";
    noticeOnce("load " + error.message,
               reason + QLatin1Char('\n') +
                   text("The profile list cannot be used, so profile 0 is shown read-only: "
                        "nothing is saved or sent to the gaming mouse until str.ini is "
                        "repaired."));
}

void MainController::applyLanguage()
{
    m_language = &LanguageTable::forLanguage(m_store->language());
    const ProfileSkin& skin = m_store->skin();
    m_textColour =
        QColor(colourChannel(skin.red), colourChannel(skin.green), colourChannel(skin.blue));
    const WindowFonts fonts = WindowFonts::forLanguage(m_store->language());
    m_normalFont = fonts.normal;
    m_boldFont = fonts.bold;
}

Status MainController::loadSkin()
{
    const std::string& directory = m_dataDirectory->path();
    m_defaultSkin = std::make_unique<SkinLibrary>(SkinRoot::defaultSkin(directory));
    m_window = std::make_unique<MainWindow>(*m_skin, m_trayAvailable);
    if (!m_window->loadBackground()) {
        const QString chosen = QString::fromStdString(m_skin->root().path());
        m_skin->setRoot(m_defaultSkin->root());
        if (!m_window->loadBackground())
            return Error{Error::Kind::NotFound,
                         m_defaultSkin->root().image(MainWindow::kBackground) +
                             ": the skin's window background is missing, damaged or too small"};
        noticeOnce("skin", QStringLiteral("%1: the skin cannot draw the window; the default skin "
                                          "is used instead.")
                               .arg(chosen));
    }
    m_window->setWindowIcon(QIcon(QStringLiteral(":/volantra/volantra.png")));
    m_window->setTextStyle(m_textColour, m_normalFont);
    m_window->setTexts([this](const char* english) { return text(english); });
    connect(m_window.get(), &MainWindow::buttonClicked, this, &MainController::onWindowButton);
    connect(m_window.get(), &MainWindow::helpPanelDismissed, this, [this] {
        if (m_help)
            m_help->close();
    });
    connect(m_window.get(), &MainWindow::closeRequested, this,
            &MainController::windowCloseRequested);
    connect(m_window.get(), &MainWindow::redrawn, this, [this] {
        QMetaObject::invokeMethod(this, &MainController::reportSkinProblems, Qt::QueuedConnection);
    });
    return {};
}

void MainController::createPanels()
{
    m_sectionContext.reset(
        new SectionContext{m_record, *m_skin, m_window.get(), m_textColour, m_normalFont,
                           [this](const char* english) { return text(english); }});
    m_panels = std::make_unique<MainPanels>(*m_sectionContext);
    auto redraw = [this] { m_window->redrawAll(); };
    auto add = [this](std::unique_ptr<SectionView> view) {
        m_sections.push_back(std::move(view));
        return m_sections.back().get();
    };
    m_panels->setSection(RightSection::Dpi, add(std::make_unique<DpiSection>(redraw)));
    m_panels->setSection(RightSection::Lighting, add(std::make_unique<LightingSection>()));
    m_panels->setSection(RightSection::ReportRate, add(std::make_unique<ReportRateSection>()));
    m_panels->setSection(RightSection::MouseSpeed, add(std::make_unique<SpeedDialSection>(
                                                       SpeedDialRules::Purpose::PointerSpeed)));
    m_panels->setSection(
        RightSection::DoubleClick,
        add(std::make_unique<SpeedDialSection>(SpeedDialRules::Purpose::DoubleClickSpeed)));
    m_panels->setSection(RightSection::ScrollSpeed,
                         add(std::make_unique<ScrollSpeedSection>(redraw)));
    m_panels->setSection(RightSection::AngleSnap, add(std::make_unique<AngleSnapSection>()));
    m_panels->setXySection(add(std::make_unique<XySection>()));

    auto macroNames = [this]() -> Result<std::vector<std::string>> {
        Result<MacroStore> macros = MacroStore::open(m_store->macroFilePath(), *m_writer);
        if (!macros)
            return macros.error();
        return macros->listMacros();
    };
    auto assignment =
        std::make_unique<ButtonAssignmentSection>(*m_store, m_defaultSkin.get(), macroNames);
    ButtonAssignmentSection* buttons = assignment.get();
    m_panels->setAssignmentSection(add(std::move(assignment)));
    m_panels->setPictureMarks([this, buttons](QPainter& painter, MouseView view) {
        buttons->paintPictureMarks(painter, *m_skin,
                                   view == MouseView::Front ? ButtonPictureView::Front
                                                            : ButtonPictureView::Side);
    });
    connect(buttons, &ButtonAssignmentSection::redrawNeeded, this, redraw);
    connect(buttons, &ButtonAssignmentSection::assignmentChanged, this, redraw);
    connect(m_window.get(), &MainWindow::macroManagerRequested, this,
            &MainController::openMacroManager);
    m_window->setPointerObserver([buttons](QPoint point) { return buttons->pointerMoved(point); });
    connect(m_panels.get(), &MainPanels::redrawNeeded, this, redraw);
    m_window->setPanels(m_panels.get());
    m_panels->refresh();
    if (!m_pointerSettings)
        m_pointerSettings = createSessionPointerSettings();
    m_unsupportedNotice = std::make_unique<UnsupportedSettingNotice>();
}

void MainController::setPointerSettings(std::unique_ptr<PointerSettings> desktop)
{
    m_pointerSettings = std::move(desktop);
}

void MainController::applyPointerSettings()
{
    if (!m_pointerSettings)
        return;
    const PointerReport report = volantra::applyPointerSettings(m_record, *m_pointerSettings);
    for (const PointerSetting setting : kPointerSettings) {
        const SettingOutcome& outcome = report[setting];
        if (outcome.isFailed())
            noticeOnce(outcome.message(), text(pointerFailureText(setting)) + QLatin1Char('\n') +
                                              fromStd(outcome.message()));
    }
    if (const std::string missing = m_unsupportedNotice->take(report); !missing.empty())
        notice(text("Info"), fromStd(missing));
}

void MainController::reportSkinProblems()
{
    // Reported after the paint, never from inside it, and once per image.
    const QStringList problems = m_skin->takeNewProblems() + m_defaultSkin->takeNewProblems();
    for (const QString& problem : problems)
        noticeOnce(problem.toStdString(),
                   QStringLiteral("LoadPng---Load image failed.\n%1").arg(problem));
}

void MainController::createTray()
{
    if (!m_trayAvailable) {
        std::cerr << "volantra: no system tray; the window stays shown and notices go to the "
                     "desktop's notification service\n";
        return;
    }
    m_tray = new QSystemTrayIcon(QIcon(QStringLiteral(":/volantra/volantra.png")), this);
    m_tray->setToolTip(text("Gaming Mouse"));
    m_trayMenu = std::make_unique<QMenu>();
    // Some tray hosts never report a left click, so the menu opens the window too.
    m_trayMenu->addAction(text("Open"), this, &MainController::openWindow);
    if (SimulatedBackend* simulator = m_session->simulator()) {
        QMenu* simulated = m_trayMenu->addMenu(text("Simulated mouse"));
        simulated->addAction(text("Press DPI button"), this, [simulator] {
            static std::uint8_t stage = 1;
            stage = stage % 4 + 1;
            simulator->emitDeviceEvent(0, DeviceEvent::dpiStageChosen(stage));
        });
        simulated->addAction(text("Press macro key"), this, [simulator] {
            simulator->emitDeviceEvent(0, DeviceEvent::macroKeyPressed(kSimulatedMacroKey));
        });
        simulated->addAction(text("Unplug"), this, [simulator] { simulator->unplug(0); });
        simulated->addAction(text("Plug in"), this, [simulator] { simulator->plug(0); });
    }
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(text("Exit"), this, &MainController::requestClose);
    m_tray->setContextMenu(m_trayMenu.get());
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // A double click also delivers a click first: the window opens once.
                if (reason == QSystemTrayIcon::Trigger)
                    openWindow();
            });
    m_tray->show();
    m_notifier.setTray(m_tray);
}

void MainController::refreshWindow()
{
    if (m_panels)
        m_panels->refresh();
    m_window->redrawAll();
}

void MainController::openWindow()
{
    // A mouse that is there but did not answer its connection still lets the user edit
    // and Apply, which asks it again.
    if (!m_session->link().commands() && m_tray) {
        showNotice({NoticeKind::MouseNotDetected});
        return;
    }
    if (m_cancelPending) {
        m_cancelPending = false;
        loadProfile();
    }
    refreshWindow();
    if (m_window->isMinimized())
        m_window->showNormal();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void MainController::minimise()
{
    if (m_tray)
        m_window->hide();
    else
        m_window->showMinimized();
}

void MainController::handleRequest(const QString& request)
{
    if (request == QLatin1String("show"))
        openWindow();
    else if (request == QLatin1String("update"))
        launchUpdater();
}

void MainController::launchUpdater()
{
    if (Status launched = launchFirmwareUpdater(m_dataDirectory->path(), machineName()); !launched)
        notice(text("Info"), fromStd(launched.error().message));
}

void MainController::toggleHelp()
{
    if (!m_help)
        m_help = std::make_unique<HelpPanelToggle>(m_window.get(), [this] {
            return HelpPanelContext{*m_skin,
                                    m_defaultSkin.get(),
                                    m_store->language(),
                                    m_dataDirectory->path(),
                                    machineName(),
                                    QString()};
        });
    m_help->toggle();
}

void MainController::openProfileManager()
{
    if (m_profileManager)
        return;
    m_profileManager =
        new ProfileManagerDialog({*m_store, *m_writer, m_record, *m_skin, m_defaultSkin.get(),
                                  m_store->language(), m_textColour,
                                  [this] {
                                      if (!hasUnappliedEdits())
                                          return true;
                                      switch (m_ask(Question::SwitchProfileWithUnappliedEdits)) {
                                      case Answer::Apply:
                                          sendAndSave();
                                          return true;
                                      case Answer::Discard:
                                          return true;
                                      case Answer::Cancel:
                                      case Answer::Yes:
                                      case Answer::Overwrite:
                                      case Answer::Reload:
                                          break;
                                      }
                                      return false;
                                  }},
                                 m_window.get());
    connect(m_profileManager, &ProfileManagerDialog::handedOver, this,
            &MainController::handleProfileHandOver);
    if (!m_profileManager->openPanel())
        m_profileManager->deleteLater();
}

void MainController::handleProfileHandOver(const ProfileHandOver& handOver)
{
    switch (handOver.current) {
    case ProfileHandOver::Current::Same:
        break;
    case ProfileHandOver::Current::None:
        m_store->clearCurrentProfile();
        break;
    case ProfileHandOver::Current::Renumbered:
        if (Status followed = m_store->followProfileList(); !followed)
            std::cerr << "volantra: " << followed.error().message << "\n";
        break;
    case ProfileHandOver::Current::Other: {
        // The record now belongs to the chosen profile: its file, its names, its snapshot.
        reloadProfile();
        break;
    }
    }
    switch (handOver.request) {
    case ProfileHandOver::Request::Import:
        importProfile();
        break;
    case ProfileHandOver::Request::Export:
        exportProfile();
        break;
    case ProfileHandOver::Request::Closed:
        break;
    }
    refreshWindow();
}

void MainController::onWindowButton(WindowButton button)
{
    switch (button) {
    case WindowButton::Apply:
        apply();
        break;
    case WindowButton::Cancel:
        cancel();
        break;
    case WindowButton::Reset:
        reset();
        break;
    case WindowButton::Minimise:
        minimise();
        break;
    case WindowButton::Close:
        requestClose();
        break;
    case WindowButton::Help:
        toggleHelp();
        return;
    case WindowButton::ProfileManager:
        openProfileManager();
        break;
    }
}

void MainController::showBusyCursor()
{
    // However the clicks fall, the cursor is set once and restored once.
    if (!m_busyCursorShown) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_busyCursorShown = true;
    }
    m_busyCursorTimer.start();
}

bool MainController::sendAndSave()
{
    // A record that was never loaded would overwrite a good profile with what it holds.
    if (const std::optional<Error>& refusal = m_store->saveRefusal()) {
        notice(text("Warning"),
               text("The settings were neither sent nor saved.") + QLatin1Char('\n') +
                   fromStd(refusal->message),
               DesktopNotifier::Severity::Warning);
        return false;
    }
    const std::vector<std::string> unsendable = settingsTheMouseRefuses(m_record);
    if (!unsendable.empty()) {
        QString problems;
        for (const std::string& problem : unsendable)
            problems += QLatin1Char('\n') + fromStd(problem);
        notice(text("Warning"), text("The settings were neither sent nor saved.") + problems,
               DesktopNotifier::Severity::Warning);
        return false;
    }
    const std::unique_ptr<FolderLock> lock = lockDataFolder();
    if (!lock)
        return false;
    if (m_store->changedOnDisk()) {
        switch (m_ask(Question::ProfileChangedOnDisk)) {
        case Answer::Overwrite:
            break;
        case Answer::Reload: {
            reloadProfile();
            return false;
        }
        default:
            return false;
        }
    }
    DeviceLink& link = m_session->link();
    // A mouse whose connection sequence failed is asked again; the user wants an answer.
    if (!link.connected() && link.commands()) {
        m_connectionFailureTold = false;
        connectMouse();
    }
    bool reached = false;
    if (DeviceCommands* commands = link.connected() ? link.commands() : nullptr) {
        const Status sent = commands->apply(buildDeviceImages(m_record));
        reached = bool(sent);
        if (!sent) {
            std::cerr << "volantra: " << sent.error().message << "\n";
            notice(text("Warning"),
                   text("The settings could not be sent to the gaming mouse. They were saved and "
                        "will be sent with the next Apply."),
                   DesktopNotifier::Severity::Warning);
        }
    }
    const Status saved = m_store->saveAppliedProfile(m_record);
    if (!saved) {
        std::cerr << "volantra: " << saved.error().message << "\n";
        notice(text("error"),
               text("The settings could not be saved.") + QLatin1Char('\n') +
                   fromStd(saved.error().message),
               DesktopNotifier::Severity::Warning);
    }
    // Cancel goes back to what the mouse holds: what it was sent, else what was saved.
    if (reached || saved)
        takeSnapshot();
    // The desktop's pointer settings go with the mouse: without one they stay as they are.
    if (link.connected())
        applyPointerSettings();
    return reached;
}

void MainController::apply()
{
    if (!m_applyLockout.tryStart(ApplyLockout::Clock::now()))
        return;
    showBusyCursor();
    // Without a mouse nothing reaches it, but nothing the user did is lost either.
    sendAndSave();
    if (!m_session->link().commands())
        showNotice({NoticeKind::MouseNotDetected});
}

void MainController::takeSnapshot()
{
    // The buttons' labels belong to their bytes: Cancel restores both.
    m_snapshot.take(m_record);
    m_snapshotItems = m_store->itemNames();
}

void MainController::cancel()
{
    m_snapshot.restoreInto(m_record);
    m_store->setItemNames(m_snapshotItems);
    m_cancelPending = true;
    if (m_tray)
        m_window->hide();
    else
        refreshWindow();
}

void MainController::reset()
{
    if (m_ask(Question::ConfirmReset) != Answer::Yes)
        return;
    showBusyCursor();
    const std::uint8_t profile = m_record.profile();
    if (Status reset = m_store->resetToDefaults(m_record); !reset) {
        // Every failed Reset is told, each time; the record and the files stay as they were.
        std::cerr << "volantra: " << reset.error().message << "\n";
        const QString missing = reset.error().kind == Error::Kind::NotFound
                                    ? text("Config file is not exist.") + QLatin1Char('\n')
                                    : QString();
        notice(text("Warning"),
               text("The settings could not be reset.") + QLatin1Char('\n') + missing +
                   fromStd(reset.error().message),
               DesktopNotifier::Severity::Warning);
        return;
    }
    m_record.setProfile(profile);
    if (m_session->link().connected())
        sendAndSave();
    else
        showNotice({NoticeKind::MouseNotDetected});
    m_panels->reset();
    refreshWindow();
}

void MainController::importProfile()
{
    const QString start =
        QString::fromStdString(m_store->currentProfilePath().value_or(m_dataDirectory->path()));
    const QString chosen = m_chooseFile(false, start);
    if (chosen.isEmpty())
        return;
    if (Status imported = m_store->importProfile(chosen.toStdString(), m_record); !imported) {
        std::cerr << "volantra: " << imported.error().message << "\n";
        notice(text("Warning"), fromStd(imported.error().message),
               DesktopNotifier::Severity::Warning);
        return;
    }
    // Buttons the file gave no name (no .ini beside it) are named after their function.
    ProfileStore::ItemNames names = m_store->itemNames();
    fillDefaultItemNames(names, m_record, LanguageTable::forLanguage(m_store->language()));
    m_store->setItemNames(names);
    // The imported settings wait for Apply, like any other edit.
    refreshWindow();
}

void MainController::exportProfile()
{
    QString start =
        QString::fromStdString(m_store->currentProfilePath().value_or(m_dataDirectory->path()));
    for (;;) {
        const QString chosen = m_chooseFile(true, start);
        if (chosen.isEmpty())
            return;
        const std::unique_ptr<FolderLock> lock = lockDataFolder();
        if (!lock)
            return;
        // The save dialog asked before replacing the chosen file.
        ProfileStore::ExportRequest request{chosen.toStdString(), false, true};
        Result<ProfileStore::ExportResult> exported = m_store->exportProfile(request, m_record);
        if (exported && exported->outcome == ProfileStore::ExportResult::Outcome::WouldReplace) {
            if (m_ask(Question::ReplaceExportedCopy) != Answer::Yes)
                return;
            request.replaceInDataDirectory = true;
            exported = m_store->exportProfile(request, m_record);
        }
        if (exported)
            return;
        std::cerr << "volantra: " << exported.error().message << "\n";
        if (exported.error().kind != Error::Kind::InvalidInput) {
            notice(text("Warning"), fromStd(exported.error().message),
                   DesktopNotifier::Severity::Warning);
            return;
        }
        // A name that is not allowed: say why and let the user choose another.
        notice(text("Warning"), fromStd(exported.error().message),
               DesktopNotifier::Severity::Warning);
        start = chosen;
    }
}

void MainController::openMacroManager()
{
    ButtonLabels labels = m_store->itemNames();
    MacroManagerContext context{m_store->macroFilePath(),
                                *m_writer,
                                *m_skin,
                                m_defaultSkin.get(),
                                m_store->language(),
                                m_textColour,
                                m_record,
                                labels,
                                m_macroOptions};
    MacroManagerDialog dialog(context, m_window.get());
    // What OK gives waits for Apply like every other edit.
    if (dialog.run() == QDialog::Accepted)
        m_store->setItemNames(labels);
    refreshWindow();
}

bool MainController::hasUnappliedEdits() const
{
    // The profile byte follows the mouse, not the user.
    SettingsRecord snapshot;
    m_snapshot.restoreInto(snapshot);
    snapshot.setProfile(m_record.profile());
    return !(snapshot == m_record) || m_snapshotItems != m_store->itemNames();
}

void MainController::handleDeviceEvent(DeviceEvent event)
{
    if (const std::optional<NoticeCause> cause = noticeCauseOf(event))
        showNotice(*cause);
}

void MainController::showNotice(NoticeCause cause)
{
    std::optional<DeviceImage> stageConfig;
    if (needsStageRead(cause)) {
        if (DeviceCommands* commands = m_session->link().commands()) {
            if (Result<DeviceImage> read = commands->readStageConfig())
                stageConfig = *read;
        }
    }
    const std::optional<DeviceNotice> shown =
        deviceNotice(cause, stageConfig, m_language->language());
    if (!shown)
        return;
    m_notifier.notify(fromStd(shown->title), fromStd(shown->text),
                      DesktopNotifier::Severity::Information, shown->durationMs);
}

void MainController::processHotplug()
{
    if (!m_monitor)
        return;
    // Notices are collected first and shown after the link has taken in every change:
    // one plug-in brings one notice per node.
    std::optional<NoticeKind> outcome;
    for (const HotplugNotice& change : m_monitor->receive()) {
        switch (m_session->link().handleHotplug(change)) {
        case HotplugOutcome::Detected: {
            reportEventInterface();
            const bool connected = connectMouse();
            // Edits the user has not applied yet are worth more than the file's copy.
            if (!hasUnappliedEdits()) {
                reloadProfile();
            }
            // A failed connection has told its own notice.
            if (connected)
                outcome = NoticeKind::MouseDetected;
            else
                outcome.reset();
            break;
        }
        case HotplugOutcome::NotDetected:
            outcome = NoticeKind::MouseNotDetected;
            break;
        case HotplugOutcome::StillConnected:
        case HotplugOutcome::Ignored:
            break;
        }
    }
    if (!outcome)
        return;
    showNotice({*outcome});
    // The window lives in the tray while no mouse is there; without a tray it stays.
    if (*outcome == NoticeKind::MouseNotDetected && m_tray)
        m_window->hide();
}

void MainController::notice(const QString& title, const QString& body,
                            DesktopNotifier::Severity severity)
{
    m_notifier.notify(title, body, severity);
}

void MainController::noticeOnce(const std::string& cause, const QString& body)
{
    if (m_noticePolicy.report(cause, body.toStdString()))
        notice(text("Warning"), body, DesktopNotifier::Severity::Warning);
}

void MainController::windowCloseRequested()
{
    if (m_tray)
        m_window->hide();
    else
        requestClose();
}

void MainController::requestClose()
{
    if (m_exiting)
        return;
    if (hasUnappliedEdits()) {
        switch (m_ask(Question::ExitWithUnappliedEdits)) {
        case Answer::Apply:
            sendAndSave();
            break;
        case Answer::Discard:
            break;
        case Answer::Cancel:
        case Answer::Yes:
        case Answer::Overwrite:
        case Answer::Reload:
            return;
        }
    }
    exitProgram();
}

void MainController::exitProgram()
{
    m_exiting = true;
    // The listener is released and joined before the handles it reads go away.
    m_handOver->abandon();
    m_listener->stop();
    m_session->link().close();
    if (m_hotplugNotifier)
        m_hotplugNotifier->setEnabled(false);
    if (m_tray)
        m_tray->hide();
    m_window->hide();
    emit finished(0);
}

} // namespace volantra
