#pragma once

#include "assign/macro_key_selection.h"
#include "assign/qt/assignment_dialog.h"
#include "common/result.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace volantra {

// The names of the macro file in file order, read anew each time they are asked for.
using MacroNameSource = std::function<Result<std::vector<std::string>>()>;

// The dialog of "Macro Key": a macro from a drop-down list of the macro file's first
// twelve macros and one of three repeat modes. OK waits until a macro is chosen. Enter
// tries OK and Esc cancels, as in any dialog.
class MacroKeyDialog : public AssignmentDialog
{
    Q_OBJECT

public:
    static constexpr int kRowHeight = 16;

    MacroKeyDialog(SkinLibrary& skin, SkinLibrary* fallbackSkin, Language language,
                   QColor textColour, MacroNameSource macroNames, QWidget* parent = nullptr);

    const MacroKeySelection& selection() const { return m_selection; }
    // The macro OK took; nothing before OK or after Cancel.
    const std::optional<MacroKeyChoice>& choice() const { return m_choice; }

    QListWidget* macroList() const { return m_macroList; }
    QLabel* nameField() const { return m_nameField; }

protected:
    bool takeOk() override;
    void paintDialog(QPainter& painter) override;
    bool pressed(QPoint at) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    std::vector<std::string> readNames();
    void macroClicked(QListWidgetItem* item);
    void showListState();

    MacroNameSource m_macroNames;
    MacroKeySelection m_selection;
    std::optional<MacroKeyChoice> m_choice;
    QLabel* m_nameField = nullptr;
    QListWidget* m_macroList = nullptr;
    // The tick boxes of the repeat modes.
    SkinButtonSet<std::uint8_t> m_ticks;
};

} // namespace volantra
