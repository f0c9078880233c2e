#pragma once

#include "assign/assignment_menu.h"
#include "assign/button_assignment.h"
#include "assign/button_picture.h"
#include "assign/qt/macro_key_dialog.h"
#include "pages/qt/section_view.h"

#include <QListWidget>
#include <QObject>
#include <QPointer>
#include <cstddef>
#include <optional>

namespace volantra {

class ProfileStore;

// The Button Assignment section of the left panel: a box per button with its label, the
// function list a box opens with the submenus of five of its entries, the three capture
// dialogs, and the marks of the buttons on the mouse picture.
//
// A choice changes the button's bytes in the record and its label in the profile store,
// nothing else; opening a list or a dialog, and Cancel in a dialog, change nothing. The
// lists are child windows of the main window (context.window) and exist while open.
// The section sees every press of the window while it is open (a press elsewhere closes
// its menus); the context given to showControls() and click() must outlive the controls.
class ButtonAssignmentSection : public QObject, public SectionView
{
    Q_OBJECT

public:
    // `fallbackSkin`: the installed default skin, for dialog backgrounds the chosen skin
    // lacks (may be null). `macroNames` reads the macro file's names in file order.
    ButtonAssignmentSection(ProfileStore& store, SkinLibrary* fallbackSkin,
                            MacroNameSource macroNames, QObject* parent = nullptr);
    ~ButtonAssignmentSection() override;

    const char* contentBackground() const override { return AssignmentMenu::kBackground; }
    void paint(QPainter& painter, QPoint origin, SectionContext& context) override;
    // Never changes the record itself: choices happen in the lists and dialogs and are
    // reported by assignmentChanged().
    bool click(QPoint point, QPoint origin, SectionContext& context) override;
    void showControls(QPoint origin, SectionContext& context) override;
    // Closes the lists; the boxes look normal when the section opens again.
    void hideControls() override;

    // The pointer moved to `point` (window coordinates) with no button held: the box
    // under it looks "over". True when the section or the picture must be drawn again.
    bool pointerMoved(QPoint point);

    // Draws the eight button marks over the mouse picture of `view`, the highlighted one
    // in its "over" look.
    void paintPictureMarks(QPainter& painter, SkinLibrary& skin, ButtonPictureView view) const;
    std::optional<std::size_t> highlightedButton() const { return m_menu.highlightedButton(); }

    const AssignmentMenu& menu() const { return m_menu; }
    QListWidget* functionList() const { return m_functionList; }
    QListWidget* submenuList() const { return m_submenu; }

signals:
    // The boxes or the picture marks look different: draw the section and the mouse
    // picture again.
    void redrawNeeded();
    // Button `button` has a new function and label in the record and the store.
    void assignmentChanged(std::size_t button);

private:
    QListWidget* makeList();
    void placeList(QListWidget* list, const AssignmentMenu::ListLayout& layout);
    void openFunctionList(std::size_t button);
    void openSubmenu();
    void showMenuState();
    void entryHovered(QListWidgetItem* item);
    void entryClicked(QListWidgetItem* item);
    void submenuClicked(QListWidgetItem* item);
    // Runs the entry's dialog; the assignment its OK gives, nothing on Cancel.
    std::optional<ButtonAssignment> runDialog(AssignmentMenu::EntryAction action,
                                              std::size_t button, const std::string& entryText);
    void apply(std::size_t button, const ButtonAssignment& assignment);
    QString text(std::string_view english) const;

    ProfileStore& m_store;
    SkinLibrary* m_fallbackSkin;
    MacroNameSource m_macroNames;
    AssignmentMenu m_menu;
    SectionContext* m_context = nullptr;
    QPoint m_origin;
    QPointer<QListWidget> m_functionList;
    QPointer<QListWidget> m_submenu;
};

} // namespace volantra
