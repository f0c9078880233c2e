#pragma once

#include "app/device_notice.h"
#include "common/language.h"
#include "common/result.h"
#include "device/device_event.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace volantra {

class DeviceSession;
class EventHandOver;
class EventListener;
class HotplugMonitor;
class UserNotices;

// The mouse as the window sees it: found and connected at start, its events read on the
// listener's thread and shown here, its plugging in and out followed. Everything it finds
// wrong is told through the notices.
class MouseConnection : public QObject
{
    Q_OBJECT

public:
    using Texts = std::function<QString(const char* english)>;

    MouseConnection(DeviceSession& session, UserNotices& notices, Texts text,
                    std::function<Language()> language, QObject* parent = nullptr);
    ~MouseConnection() override;

    // Finds and connects the mouse, starts reading its events and watching hot-plug.
    void open();
    // The connection sequence; false (and told once) when the mouse did not answer.
    bool connectMouse();
    // What a connection asked again at Apply answered: its failure is told again.
    void noteReconnection(const Result<std::uint8_t>& answer);
    // While held, hot-plug changes and the mouse's events wait: an Apply is sending.
    void hold();
    void release();
    // Shows a notice: of something the mouse did, or of the mouse coming and going.
    void showNotice(NoticeCause cause);
    // Stops the listener and closes the handles (the program ends).
    void close();
    void processHotplug();

signals:
    void connected(std::uint8_t profile);
    // A mouse was plugged in (connected or not), before its notice is shown.
    void arrived();
    // No mouse is left; its notice has been shown.
    void gone();

private:
    void tellConnectionFailure(const Error& error);
    void reportEventInterface();
    void startListener();
    void watchHotplug();
    void dispatchPendingEvent();

    DeviceSession& m_session;
    UserNotices& m_notices;
    Texts m_text;
    std::function<Language()> m_language;
    std::unique_ptr<EventHandOver> m_handOver;
    std::unique_ptr<EventListener> m_listener;
    std::unique_ptr<HotplugMonitor> m_monitor;
    QSocketNotifier* m_hotplugNotifier = nullptr;
    bool m_connectionFailureTold = false;
    bool m_held = false;
    bool m_eventWaiting = false;
    bool m_closed = false;
};

} // namespace volantra
