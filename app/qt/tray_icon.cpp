#include "app/qt/tray_icon.h"

#include "app/qt/program_icon.h"
#include "platform/sim/simulated_backend.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace volantra {
namespace {

// The DPI button of the simulated mouse cycles through the stages the mouse reports.
constexpr std::uint8_t kSimulatedMacroKey = 3;

} // namespace

TrayIcon::TrayIcon(const Texts& text, SimulatedBackend* simulator, QObject* parent)
    : QObject(parent)
{
    m_tray = new QSystemTrayIcon(programIcon(), this);
    m_tray->setToolTip(text("Gaming Mouse"));
    m_menu = std::make_unique<QMenu>();
    // Some tray hosts never report a left click, so the menu opens the window too.
    m_menu->addAction(text("Open"), this, &TrayIcon::openRequested);
    if (simulator) {
        QMenu* simulated = m_menu->addMenu(text("Simulated mouse"));
        simulated->addAction(text("Press DPI button"), this, [simulator] {
            static std::uint8_t stage = 1;
            stage = stage % 4 + 1;
            simulator->emitEvent(0, {0x06, 0x07, 0x01, stage});
        });
        simulated->addAction(text("Press macro key"), this, [simulator] {
            simulator->emitEvent(0, {0x06, 0x07, 0x09, kSimulatedMacroKey});
        });
        simulated->addAction(text("Unplug"), this, [simulator] { simulator->unplug(0); });
        simulated->addAction(text("Plug in"), this, [simulator] { simulator->plug(0); });
    }
    m_menu->addSeparator();
    m_menu->addAction(text("Exit"), this, &TrayIcon::exitRequested);
    m_tray->setContextMenu(m_menu.get());
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // A double click also delivers a click first: the window opens once.
                if (reason == QSystemTrayIcon::Trigger)
                    emit openRequested();
            });
    m_tray->show();
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::hide()
{
    m_tray->hide();
}

} // namespace volantra
