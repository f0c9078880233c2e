#include "help/qt/help_panel_toggle.h"

namespace volantra {

HelpPanelToggle::HelpPanelToggle(QWidget* mainWindow, std::function<HelpPanelContext()> context)
    : m_mainWindow(mainWindow), m_context(std::move(context))
{
}

HelpPanelToggle::~HelpPanelToggle()
{
    delete m_panel;
}

void HelpPanelToggle::toggle()
{
    if (isOpen()) {
        close();
        return;
    }
    close(); // a panel ended with OK or Cancel
    m_panel = new HelpPanel(m_context(), m_mainWindow);
    m_panel->openPanel(); // without a background it has said so and goes
}

void HelpPanelToggle::close()
{
    if (!m_panel)
        return;
    m_panel->hide();
    m_panel->deleteLater();
    m_panel.clear();
}

} // namespace volantra
