#pragma once

#include "common/language.h"
#include "common/machine_name.h"
#include "help/help_address.h"
#include "help/help_panel_rules.h"
#include "skin/qt/skin_button.h"
#include "skin/qt/skinned_dialog.h"

#include <QFont>
#include <QPoint>
#include <QString>
#include <string>

namespace volantra {

class LanguageTable;
class SkinLibrary;

struct HelpPanelContext
{
    SkinLibrary& skin;
    SkinLibrary* fallbackSkin = nullptr; // the installed default skin
    Language language = Language::English;
    std::string dataDirectory;           // holds Update/
    std::string machine = machineName(); // uname's machine type
    // The address of the first line; by default the build's (VOLANTRA_HELP_URL).
    QString webAddress = QString::fromUtf8(kHelpAddress.data(), qsizetype(kHelpAddress.size()));
};

// The help panel: the web address (opened in the desktop's browser when pressed; the
// program's name, and no link, when the build has no address), the
// update line (starts the firmware updater), the program's version, OK, Cancel and the
// close button, which show only under the pointer. A frameless window of its own, owned
// by the main window and kept at kPosition of it, so that all of it shows even where it
// reaches past the main window.
class HelpPanel : public SkinnedDialog
{
    Q_OBJECT

public:
    static constexpr const char* kBackground = "/Help/HelpWindow.png";
    // Where the panel sits in the main window's client coordinates.
    static constexpr QPoint kPosition{786, 25};

    HelpPanel(HelpPanelContext context, QWidget* mainWindow);

    // Shows the panel at its place. Without a background in the skin or the default skin it
    // says so once, stays closed and deletes itself: false.
    bool openPanel();

    // What the first line shows, and whether a press on it opens a web address.
    QString addressLine() const { return QString::fromStdString(m_addressLine.text); }
    bool addressIsLink() const { return m_addressLine.link.has_value(); }
    QString updateLine() const;
    QString versionLine() const;

    // Opens the web address with the desktop. False when nothing was opened: the line is
    // no link, or the desktop could not open it.
    bool openWebAddress();
    // Starts the firmware updater, or tells the user why there is none.
    bool launchUpdater();

protected:
    void paintContent(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Button { Close, Ok, Cancel };

    QString text(const char* english) const;
    void followMainWindow();
    void tell(const QString& message);

    HelpPanelContext m_context;
    const LanguageTable& m_texts;
    QFont m_font;
    help_panel_rules::WebAddressLine m_addressLine;
    SkinButtonSet<Button> m_buttons;
    bool m_hiddenWithMainWindow = false;
};

} // namespace volantra
