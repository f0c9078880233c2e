#pragma once

#include "common/atomic_file_writer.h"
#include "common/language.h"
#include "model/settings_record.h"
#include "profiles/profile_manager.h"
#include "skin/qt/list_entry_editor.h"
#include "skin/qt/skinned_dialog.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <functional>
#include <optional>

class QListWidget;

namespace volantra {

class LanguageTable;
class ProfileStore;
class SkinLibrary;

// What the profile manager works on: the main window's own objects, read while the panel
// is open and never copied beyond its life.
struct ProfileManagerContext
{
    ProfileStore& store; // its str.ini, its current profile and button names
    AtomicFileWriter& writer;
    const SettingsRecord& record; // what new profiles start from
    SkinLibrary& skin;
    SkinLibrary* fallbackSkin = nullptr; // the installed default skin
    Language language = Language::English;
    QColor textColour{220, 220, 220};
    // Asked before a hand-over puts another profile into the record. The main window asks
    // about unapplied edits here (and applies them to their own profile first); false
    // leaves the panel open and writes nothing.
    std::function<bool()> mayReplaceRecord = [] { return true; };
};

// The profile manager: a panel over the main window's top-left corner, drawn 70 % opaque
// over the main window's picture with an opaque list of the profiles. A press on an
// entry marks it and a second press (or a double-click, or Edit) renames it in place;
// Tab, a press elsewhere or moving the focus commit the name, Enter and Esc never do.
// New, the list's menu (Delete, Edit, Copy, Load, Save) and the close button work as
// ProfileManager describes; Load, Save and closing report to the main window through
// handedOver(). The panel deletes itself once closed.
class ProfileManagerDialog : public SkinnedDialog
{
    Q_OBJECT

public:
    static constexpr const char* kBackground = "/Config/Config.png";
    static constexpr const char* kCloseImage = "/button-close-normal.png";
    static constexpr const char* kNewImage = "/Config/New-Config.png";
    static constexpr QRect kTitleArea{10, 0, 200, 31};
    static constexpr QRect kCloseArea{240, 8, 15, 15};
    static constexpr QRect kNewArea{0, 575, 263, 23};
    static constexpr QPoint kNewImageAt{14, 582};
    static constexpr QRect kNewTextArea{30, 575, 50, 23};
    static constexpr QRect kListArea{0, 31, 263, 544};
    // Everything but the list is drawn at this opacity over the main window.
    static constexpr qreal kOpacity = 0.7;

    // `mainWindow` is the parent: the panel is a child widget at its client origin.
    ProfileManagerDialog(ProfileManagerContext context, QWidget* mainWindow);
    ~ProfileManagerDialog() override;

    // Shows the panel. Without a background in the skin or the default skin, or with a
    // profile list it cannot read, it says so once, stays closed and deletes itself:
    // false. A list of more than six profiles is told once after opening.
    bool openPanel();
    // Why the panel cannot open, or nothing.
    std::optional<QString> openingProblem() const { return m_openingProblem; }

    void pressNew();
    // Closes the panel once the edits are carried out; on a failure it says why and stays
    // open with the edits.
    void pressClose();
    void deleteSelected();
    void editSelected();
    void copySelected();
    void loadSelected();
    void saveSelected();

    QListWidget* profileList() const { return m_list; }
    // The in-place editor while one is open.
    ListEntryEditor* entryEditor() const { return m_entryEditor; }
    const ProfileManager* manager() const { return m_manager ? &*m_manager : nullptr; }

signals:
    // Load, Save or the panel has closed; the main window first deals with the record as
    // `handOver.current` says.
    void handedOver(const volantra::ProfileHandOver& handOver);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintContent(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString text(const char* english) const;
    void createList();
    void refreshList();
    void showMessage(const QString& caption, const QString& message);
    void report(const Status& status);
    void commitEditor();

    void entryPressed(int row);
    void openEntryEditor(int row);
    void nameCommitted(int row, const QString& name);
    void showMenu(QPoint at);
    void handOver(ProfileHandOver::Request request);

    ProfileManagerContext m_context;
    const LanguageTable& m_texts;
    QFont m_font;
    std::optional<ProfileManager> m_manager;
    std::optional<QString> m_openingProblem;
    bool m_closed = false;

    QListWidget* m_list = nullptr;
    QPointer<ListEntryEditor> m_entryEditor;
    // The entry last marked for renaming: a press on the marked entry renames it.
    std::optional<int> m_marked;
};

} // namespace volantra
