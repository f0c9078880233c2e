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
    if (m_panel) {
        close();
        return;
    }
    m_panel = new HelpPanel(m_context(), m_mainWindow);
    QObject::connect(m_panel, &QDialog::rejected, m_panel, [this] { close(); });
    if (!m_panel->openPanel())
        m_panel.clear(); // it has said why and goes
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
