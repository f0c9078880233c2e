#include "app/qt/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QSystemTrayIcon>
#include <QVariantMap>
#include <cstdio>

namespace volantra {

DesktopNotifier::DesktopNotifier(QObject* parent) : QObject(parent) {}

void DesktopNotifier::notify(const QString& title, const QString& text, Severity severity,
                             int timeoutMs)
{
    m_lastTitle = title;
    m_lastText = text;
    emit notified(title, text);
    if (m_tray && m_tray->isVisible() && QSystemTrayIcon::supportsMessages()) {
        m_tray->showMessage(title, text,
                            severity == Severity::Warning ? QSystemTrayIcon::Warning
                                                          : QSystemTrayIcon::Information,
                            timeoutMs);
        return;
    }
    if (!notifyOverDBus(title, text, severity, timeoutMs))
        std::fprintf(stderr, "volantra: %s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
}

bool DesktopNotifier::notifyOverDBus(const QString& title, const QString& text, Severity severity,
                                     int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"),
                 QVariant::fromValue<uchar>(severity == Severity::Warning ? 1 : 0));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("volantra"));
    call << QStringLiteral("Volantra") << m_lastNotificationId << QStringLiteral("input-mouse")
         << title << text << QStringList() << hints << timeoutMs;
    // The service answers at once; a short wait keeps a hung service from stalling the UI.
    const QDBusReply<quint32> reply = bus.call(call, QDBus::Block, 500);
    if (!reply.isValid())
        return false;
    m_lastNotificationId = reply.value();
    return true;
}

} // namespace volantra
