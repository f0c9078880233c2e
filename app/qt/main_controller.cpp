#include "app/qt/main_controller.h"

#include "app/device_notice.h"
#include "app/qt/apply_runner.h"
#include "app/qt/data_folder.h"
#include "app/qt/main_window.h"
#include "app/qt/mouse_connection.h"
#include "app/qt/profile_file_dialog.h"
#include "app/qt/profile_file_requests.h"
#include "app/qt/tray_icon.h"
#include "app/qt/window_look.h"
#include "app/qt/window_sections.h"
#include "common/language_table.h"
#include "common/machine_name.h"
#include "common/qt/qt_text.h"
#include "help/qt/help_panel_toggle.h"
#include "help/updater_launch.h"
#include "macro/qt/macro_manager_dialog.h"
#include "model/profile_store.h"
#include "pages/qt/main_panels.h"
#include "platform/device_session.h"
#include "platform/pointer/desktop_pointer_settings.h"
#include "platform/posix_atomic_file_writer.h"
#include "profiles/qt/profile_manager_dialog.h"

#include <QApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <algorithm>

// Resources of a static library are registered by hand, outside any namespace.
static void registerAppResources()
{
    Q_INIT_RESOURCE(app_resources);
}

namespace volantra {

MainController::MainController(AppOptions options, QObject* parent)
    : QObject(parent), m_options(std::move(options)),
      m_text([this](const char* english) { return text(english); }), m_notices(m_text)
{
    registerAppResources();
    m_language = &LanguageTable::forLanguage(Language::English);
    m_ask = [this](Question question) {
        QWidget* owner = m_window && m_window->isVisible() ? m_window.get() : nullptr;
        return askWithQuestionBox(question, owner, m_text);
    };
    m_chooseFile = [this](bool save, const QString& start) {
        QWidget* owner = m_window && m_window->isVisible() ? m_window.get() : nullptr;
        return chooseProfileFile(owner, save, start, m_text);
    };
}

MainController::~MainController()
{
    // The sending thread uses the link: it ends before the link's handles go, and what it
    // sent is saved.
    m_exiting = true;
    if (m_applyRunner)
        m_applyRunner->finishNow();
    m_mouse.reset();
}

QString MainController::text(const char* english) const
{
    return qtText(m_language->text(english));
}

QColor MainController::textColour() const
{
    return m_look->textColour();
}

QSystemTrayIcon* MainController::tray()
{
    return m_tray ? m_tray->icon() : nullptr;
}

SkinLibrary& MainController::skin()
{
    return m_look->skin();
}

MainPanels& MainController::panels()
{
    return *m_sections->panels;
}

bool MainController::applyRunning() const
{
    return m_applyRunner && m_applyRunner->running();
}

Status MainController::start()
{
    Result<std::unique_ptr<DataFolder>> folder =
        DataFolder::open(m_options.dataDirectory, m_notices, m_text);
    if (!folder)
        return folder.error();
    m_folder = std::move(*folder);
    m_store = &m_folder->store();
    m_writer = &m_folder->writer();
    Result<std::unique_ptr<DeviceSession>> session =
        DeviceSession::create({m_options.simulate, m_options.tracePath, false});
    if (!session)
        return session.error();
    m_session = std::move(*session);
    if (!m_pointerSettings)
        m_pointerSettings = createSessionPointerSettings();
    m_editing = std::make_unique<EditingSession>(
        EditingSession::Parts{m_record, *m_store, &m_session->link(),
                              [this] { return m_folder->lock(); }, m_pointerSettings.get()});
    m_mouse = std::make_unique<MouseConnection>(*m_session, m_notices, m_text,
                                                [this] { return m_language->language(); });
    connect(m_mouse.get(), &MouseConnection::connected, this,
            [this](std::uint8_t profile) { m_editing->followMouseProfile(profile); });
    connect(m_mouse.get(), &MouseConnection::arrived, this, [this] {
        // Edits the user has not applied yet are worth more than the file's copy.
        if (!hasUnappliedEdits())
            reloadProfile();
    });
    connect(m_mouse.get(), &MouseConnection::gone, this, [this] {
        // The window lives in the tray while no mouse is there; without a tray it stays.
        if (m_tray)
            m_window->hide();
    });
    m_applyRunner = std::make_unique<ApplyRunner>(ApplyRunner::Parts{
        *m_editing, m_session->link(), *m_mouse, m_notices, m_text,
        [this](Question question) { return m_ask(question); }, [this] { reloadProfile(); }});
    connect(m_applyRunner.get(), &ApplyRunner::ended, this, [this] {
        emit applyEnded();
        if (std::exchange(m_closeAfterApply, false))
            requestClose();
    });

    m_files = std::make_unique<ProfileFileRequests>(ProfileFileRequests::Parts{
        *m_editing, m_notices, m_text,
        [this](bool save, const QString& start) { return m_chooseFile(save, start); },
        [this](Question question) { return m_ask(question); }, [this] { return m_folder->lock(); },
        m_folder->path()});

    m_mouse->open();
    m_notices.tellLoadProblems(m_editing->loadCurrent());
    // The skin decodes on other threads while the desktop is asked for its tray.
    m_look = std::make_unique<WindowLook>(m_folder->path(), *m_store);
    if (!m_trayAvailable)
        m_trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    m_language = &m_look->language();
    if (Status window = createWindow(); !window)
        return window;
    m_sections = std::make_unique<WindowSections>(buildWindowSections(
        {{m_record, m_look->skin(), m_window.get(), m_look->textColour(), m_look->font(), m_text},
         *m_window,
         *m_store,
         *m_writer,
         m_look->defaultSkin()}));
    refreshWindow();
    // Queued: the ratio is read once Qt has finished adding or removing the screen.
    const auto screensChanged = [this] { followPixelRatio(qGuiApp->devicePixelRatio()); };
    connect(qApp, &QGuiApplication::screenAdded, this, screensChanged, Qt::QueuedConnection);
    connect(qApp, &QGuiApplication::screenRemoved, this, screensChanged, Qt::QueuedConnection);

    // Without a tray there is nothing else to open the window from. The window is shown
    // before the tray icon and the folder watch are set up: its picture needs neither.
    const bool opens = m_options.show || !*m_trayAvailable;
    const bool opensNow = opens && (m_session->link().commands() || !*m_trayAvailable);
    if (opensNow)
        showWindow();
    createTray();
    connect(m_folder.get(), &DataFolder::changed, this, &MainController::dataFolderChanged);
    m_folder->watch();
    if (opens && !opensNow)
        openWindow(); // tells that the mouse is not there
    return {};
}

const std::string& MainController::dataDirectory() const
{
    return m_folder->path();
}

void MainController::dataFolderChanged()
{
    if (m_exiting || applyRunning() || hasUnappliedEdits() || !m_store->changedOnDisk())
        return;
    reloadProfile();
}

void MainController::reloadProfile()
{
    m_notices.tellLoadProblems(m_editing->reloadKeepingProfile());
    refreshWindow();
}

Status MainController::createWindow()
{
    Result<std::unique_ptr<MainWindow>> window = m_look->createWindow(*m_trayAvailable, m_notices);
    if (!window)
        return window.error();
    m_window = std::move(*window);
    m_window->setTexts(m_text);
    connect(m_window.get(), &MainWindow::buttonClicked, this, &MainController::onWindowButton);
    connect(m_window.get(), &MainWindow::helpPanelDismissed, this, [this] {
        if (m_help)
            m_help->close();
    });
    connect(m_window.get(), &MainWindow::closeRequested, this,
            &MainController::windowCloseRequested);
    connect(m_window.get(), &MainWindow::macroManagerRequested, this, [this] {
        if (!applyRunning())
            openMacroManager();
    });
    connect(m_window.get(), &MainWindow::redrawn, this, [this] {
        // Reported after the paint, never from inside it.
        QMetaObject::invokeMethod(
            this, [this] { m_look->reportProblems(m_notices); }, Qt::QueuedConnection);
    });
    return {};
}

void MainController::setPointerSettings(std::unique_ptr<PointerSettings> desktop)
{
    m_pointerSettings = std::move(desktop);
    if (m_editing)
        m_editing->setDesktop(m_pointerSettings.get());
}

void MainController::createTray()
{
    if (!*m_trayAvailable) {
        m_notices.log("no system tray; the window stays shown and notices go to the desktop's "
                      "notification service");
        return;
    }
    m_tray = new TrayIcon(m_text, m_session->simulator(), this);
    connect(m_tray, &TrayIcon::openRequested, this, &MainController::openWindow);
    connect(m_tray, &TrayIcon::exitRequested, this, &MainController::requestClose);
    m_notices.notifier().setTray(m_tray->icon());
}

void MainController::followPixelRatio(qreal ratio)
{
    // A monitor of twice the density beside a laptop's screen: crisp without a restart.
    if (m_look->usePixelRatio(*m_window, ratio))
        refreshWindow();
}

void MainController::refreshWindow()
{
    if (m_sections)
        m_sections->panels->refresh();
    m_window->redrawAll();
}

void MainController::openWindow()
{
    // A mouse that is there but did not answer its connection still lets the user edit
    // and Apply, which asks it again.
    if (!m_session->link().commands() && m_tray) {
        m_mouse->showNotice({NoticeKind::MouseNotDetected});
        return;
    }
    if (m_cancelPending && !applyRunning()) {
        m_cancelPending = false;
        m_notices.tellLoadProblems(m_editing->loadCurrent());
    }
    refreshWindow();
    showWindow();
}

void MainController::showWindow()
{
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
    if (Status launched = launchFirmwareUpdater(m_folder->path(), machineName()); !launched)
        m_notices.info(qtText(launched.error().message));
}

void MainController::toggleHelp()
{
    if (!m_help)
        m_help = std::make_unique<HelpPanelToggle>(m_window.get(), [this] {
            return HelpPanelContext{m_look->skin(),   m_look->defaultSkin(), m_store->language(),
                                    m_folder->path(), machineName(),         QString()};
        });
    m_help->toggle();
}

void MainController::openProfileManager()
{
    if (m_profileManager)
        return;
    m_profileManager = new ProfileManagerDialog(
        {*m_store, *m_writer, m_record, m_look->skin(), m_look->defaultSkin(), m_store->language(),
         m_look->textColour(),
         [this] { return settleUnappliedEdits(Question::SwitchProfileWithUnappliedEdits); }},
        m_window.get());
    connect(m_profileManager, &ProfileManagerDialog::handedOver, this,
            &MainController::handleProfileHandOver);
    if (!m_profileManager->openPanel())
        m_profileManager->deleteLater();
}

void MainController::handleProfileHandOver(const ProfileHandOver& handOver)
{
    m_notices.tellLoadProblems(m_editing->switchProfile(handOver.current));
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
    // While an Apply is sending, the window's buttons wait for nothing: they are ignored.
    if (applyRunning())
        return;
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

void MainController::apply()
{
    if (applyRunning() || !m_applyLockout.tryStart(ApplyLockout::Clock::now()))
        return;
    m_busyCursor.show();
    // Without a mouse nothing reaches it, but nothing the user did is lost either.
    m_applyRunner->applyInBackground([this] {
        if (!m_session->link().commands())
            m_mouse->showNotice({NoticeKind::MouseNotDetected});
    });
}

void MainController::cancel()
{
    m_editing->cancel();
    m_cancelPending = true;
    if (m_tray)
        m_window->hide();
    else
        refreshWindow();
}

void MainController::reset()
{
    if (applyRunning() || m_ask(Question::ConfirmReset) != Answer::Yes)
        return;
    m_busyCursor.show();
    if (Status reset = m_editing->reset(); !reset) {
        // Every failed Reset is told, each time; the record and the files stay as they were.
        const QString missing = reset.error().kind == Error::Kind::NotFound
                                    ? text("Config file is not exist.") + QLatin1Char('\n')
                                    : QString();
        m_notices.logAndWarn(reset.error().message, text("The settings could not be reset.") +
                                                        QLatin1Char('\n') + missing +
                                                        qtText(reset.error().message));
        return;
    }
    m_sections->panels->reset();
    refreshWindow();
    if (m_session->link().connected())
        m_applyRunner->applyInBackground([this] { refreshWindow(); });
    else
        m_mouse->showNotice({NoticeKind::MouseNotDetected});
}

void MainController::importProfile()
{
    if (m_files->importProfile())
        refreshWindow();
}

void MainController::exportProfile()
{
    m_files->exportProfile();
}

void MainController::openMacroManager()
{
    ButtonLabels labels = m_store->itemNames();
    MacroManagerContext context{m_store->macroFilePath(),
                                *m_writer,
                                m_look->skin(),
                                m_look->defaultSkin(),
                                m_store->language(),
                                m_look->textColour(),
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
    return m_editing->hasUnappliedEdits();
}

bool MainController::settleUnappliedEdits(Question question)
{
    if (!hasUnappliedEdits())
        return true;
    switch (m_ask(question)) {
    case Answer::Apply:
        m_applyRunner->applyNow();
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
    // The Apply being sent ends first; the question (if any) follows it.
    if (applyRunning()) {
        m_closeAfterApply = true;
        return;
    }
    if (settleUnappliedEdits(Question::ExitWithUnappliedEdits))
        exitProgram();
}

void MainController::exitProgram()
{
    m_exiting = true;
    m_mouse->close();
    if (m_tray)
        m_tray->hide();
    m_window->hide();
    emit finished(0);
}

} // namespace volantra
