#include "app/qt/mouse_connection.h"

#include "app/device_notice.h"
#include "app/qt/user_notices.h"
#include "common/qt/qt_text.h"
#include "device/device_commands.h"
#include "device/event_hand_over.h"
#include "device/event_listener.h"
#include "platform/device_session.h"

#include <QSocketNotifier>
#include <optional>

namespace volantra {

MouseConnection::MouseConnection(DeviceSession& session, UserNotices& notices, Texts text,
                                 std::function<Language()> language, QObject* parent)
    : QObject(parent), m_session(session), m_notices(notices), m_text(std::move(text)),
      m_language(std::move(language))
{
}

MouseConnection::~MouseConnection()
{
    close();
}

void MouseConnection::open()
{
    DeviceLink& link = m_session.link();
    const Status found = link.discover();
    for (const std::string& warning : link.warnings())
        m_notices.log(warning);
    if (!found && found.error().kind == Error::Kind::Permission)
        m_notices.once("permission",
                       m_text("The gaming mouse was found but cannot be opened: permission "
                              "denied. Install the program's udev rule, then unplug the "
                              "mouse and plug it in again."));
    if (found) {
        reportEventInterface();
        connectMouse();
    }
    startListener();
    watchHotplug();
}

void MouseConnection::reportEventInterface()
{
    if (const std::optional<Error>& failed = m_session.link().eventOpenError())
        m_notices.once(
            "events",
            m_text("The gaming mouse's own notices (a DPI stage or a macro key chosen on the "
                   "mouse) cannot be shown: its event interface cannot be opened. Settings "
                   "still reach the mouse. When the reason is a permission, install the "
                   "program's udev rule (70-volantra.rules), then unplug the mouse and plug "
                   "it in again.") +
                QLatin1Char('\n') + qtText(failed->message));
}

bool MouseConnection::connectMouse()
{
    Result<std::uint8_t> profile = m_session.link().connect();
    if (profile) {
        m_connectionFailureTold = false;
        emit connected(*profile);
        return true;
    }
    tellConnectionFailure(profile.error());
    return false;
}

void MouseConnection::noteReconnection(const Result<std::uint8_t>& answer)
{
    // The user asked for this connection: a failure is told again.
    m_connectionFailureTold = false;
    if (!answer)
        tellConnectionFailure(answer.error());
}

void MouseConnection::tellConnectionFailure(const Error& error)
{
    m_notices.log(error.message);
    // Told once until a connection works: every node of one plug-in tries again.
    if (m_connectionFailureTold)
        return;
    m_connectionFailureTold = true;
    m_notices.warn(m_text("The gaming mouse did not answer when it was connected, so it is "
                          "treated as not connected. The program tries again when the mouse is "
                          "plugged in and at the next Apply.") +
                   QLatin1Char('\n') + qtText(error.message));
}

void MouseConnection::startListener()
{
    m_handOver = std::make_unique<EventHandOver>([this] {
        QMetaObject::invokeMethod(this, &MouseConnection::dispatchPendingEvent,
                                  Qt::QueuedConnection);
    });
    m_listener = std::make_unique<EventListener>(m_session.link(), m_session.waker(), *m_handOver);
    m_listener->start();
}

void MouseConnection::dispatchPendingEvent()
{
    // A stage notice reads the mouse, which is busy with the Apply: the listener waits.
    if (m_held) {
        m_eventWaiting = true;
        return;
    }
    m_handOver->dispatchPending([this](DeviceEvent event) {
        if (const std::optional<NoticeCause> cause = noticeCauseOf(event))
            showNotice(*cause);
    });
}

void MouseConnection::watchHotplug()
{
    Result<std::unique_ptr<HotplugMonitor>> monitor = m_session.backend().createMonitor();
    if (!monitor) {
        m_notices.log(monitor.error().message);
        m_notices.once("hotplug", m_text("Plugging the gaming mouse in or out will not be "
                                         "noticed until the program is started again."));
        return;
    }
    m_monitor = std::move(*monitor);
    m_hotplugNotifier =
        new QSocketNotifier(m_monitor->fileDescriptor(), QSocketNotifier::Read, this);
    connect(m_hotplugNotifier, &QSocketNotifier::activated, this, &MouseConnection::processHotplug);
}

void MouseConnection::hold()
{
    m_held = true;
    // Hot-plug changes the link's handles: they wait until the sending has ended.
    if (m_hotplugNotifier)
        m_hotplugNotifier->setEnabled(false);
}

void MouseConnection::release()
{
    m_held = false;
    if (m_closed)
        return;
    if (m_hotplugNotifier)
        m_hotplugNotifier->setEnabled(true);
    // What arrived meanwhile: an unplug is told after the Apply it ended.
    processHotplug();
    if (std::exchange(m_eventWaiting, false))
        dispatchPendingEvent();
}

void MouseConnection::showNotice(NoticeCause cause)
{
    std::optional<DeviceImage> stageConfig;
    if (needsStageRead(cause)) {
        if (DeviceCommands* commands = m_session.link().commands()) {
            if (Result<DeviceImage> read = commands->readStageConfig())
                stageConfig = *read;
        }
    }
    const std::optional<DeviceNotice> shown = deviceNotice(cause, stageConfig, m_language());
    if (!shown)
        return;
    m_notices.notifier().notify(qtText(shown->title), qtText(shown->text),
                                DesktopNotifier::Severity::Information, shown->durationMs);
}

void MouseConnection::processHotplug()
{
    if (!m_monitor || m_held || m_closed)
        return;
    // Notices are collected first and shown after the link has taken in every change:
    // one plug-in brings one notice per node.
    std::optional<NoticeKind> outcome;
    for (const HotplugNotice& change : m_monitor->receive()) {
        switch (m_session.link().handleHotplug(change)) {
        case HotplugOutcome::Detected: {
            reportEventInterface();
            const bool connected = connectMouse();
            emit arrived();
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
    if (*outcome == NoticeKind::MouseNotDetected)
        emit gone();
}

void MouseConnection::close()
{
    if (m_closed)
        return;
    m_closed = true;
    // The listener is released and joined before the handles it reads go away.
    if (m_handOver)
        m_handOver->abandon();
    if (m_listener)
        m_listener->stop();
    m_session.link().close();
    if (m_hotplugNotifier)
        m_hotplugNotifier->setEnabled(false);
}

} // namespace volantra
