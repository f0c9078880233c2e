#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace volantra {

class SimulatedBackend;

// The program's icon in the tray and its menu: Open, Exit and, on the simulated mouse, the
// presses and plugging a real mouse would bring.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    using Texts = std::function<QString(const char* english)>;

    // `simulator` may be null (a real mouse): the menu then has no "Simulated mouse".
    TrayIcon(const Texts& text, SimulatedBackend* simulator, QObject* parent = nullptr);
    ~TrayIcon() override;

    QSystemTrayIcon* icon() { return m_tray; }
    QMenu* menu() { return m_menu.get(); }
    void hide();

signals:
    void openRequested();
    void exitRequested();

private:
    QSystemTrayIcon* m_tray = nullptr;
    std::unique_ptr<QMenu> m_menu;
};

} // namespace volantra
