#pragma once

#include <QObject>
#include <QString>

class QSystemTrayIcon;

namespace volantra {

// Shows the program's notices: as a balloon of the tray icon while there is a tray, else
// through the desktop's notification service. Each notice replaces the one before and
// stays about four seconds unless it says otherwise.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    enum class Severity { Information, Warning };
    static constexpr int kTimeoutMs = 4000;

    explicit DesktopNotifier(QObject* parent = nullptr);

    void setTray(QSystemTrayIcon* tray) { m_tray = tray; }
    void notify(const QString& title, const QString& text,
                Severity severity = Severity::Information, int timeoutMs = kTimeoutMs);

    const QString& lastTitle() const { return m_lastTitle; }
    const QString& lastText() const { return m_lastText; }

signals:
    void notified(const QString& title, const QString& text);

private:
    bool notifyOverDBus(const QString& title, const QString& text, Severity severity,
                        int timeoutMs);

    QSystemTrayIcon* m_tray = nullptr;
    quint32 m_lastNotificationId = 0;
    QString m_lastTitle;
    QString m_lastText;
};

} // namespace volantra
