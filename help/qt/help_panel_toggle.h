#pragma once

#include "help/qt/help_panel.h"

#include <QPointer>
#include <functional>

namespace volantra {

// The main window's side of the help panel: the help button opens it, and closes it when it
// is shown; a press elsewhere in the main window closes it too. A panel ended with OK,
// Cancel or its close button counts as closed, so the next press on the help button
// opens it again.
class HelpPanelToggle
{
public:
    // `context` is asked at each opening, so the panel follows the skin and language.
    HelpPanelToggle(QWidget* mainWindow, std::function<HelpPanelContext()> context);
    ~HelpPanelToggle();

    void toggle();
    void close();
    bool isOpen() const { return m_panel && m_panel->isVisible(); }
    HelpPanel* panel() const { return m_panel; }

private:
    QWidget* m_mainWindow;
    std::function<HelpPanelContext()> m_context;
    QPointer<HelpPanel> m_panel;
};

} // namespace volantra
