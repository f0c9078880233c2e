#pragma once

#include "help/qt/help_panel.h"

#include <QPointer>
#include <functional>

namespace volantra {

// The main window's side of the help panel: the help button opens it, and closes it when
// there is one; a press elsewhere in the main window closes it too (close()). Cancel and
// the close button end the panel for good. OK only hides it: the next press on the help
// button or in the main window then takes it away, and the press after that opens a new one.
class HelpPanelToggle
{
public:
    // `context` is asked at each opening, so the panel follows the skin and language.
    HelpPanelToggle(QWidget* mainWindow, std::function<HelpPanelContext()> context);
    ~HelpPanelToggle();

    void toggle();
    // Takes the panel away, shown or ended with OK.
    void close();
    bool isOpen() const { return m_panel && m_panel->isVisible(); }
    // The panel, shown or ended with OK; none once it was taken away.
    HelpPanel* panel() const { return m_panel; }

private:
    QWidget* m_mainWindow;
    std::function<HelpPanelContext()> m_context;
    QPointer<HelpPanel> m_panel;
};

} // namespace volantra
