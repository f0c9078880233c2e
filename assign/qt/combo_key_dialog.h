#pragma once

#include "assign/combo_key_capture.h"
#include "assign/qt/assignment_dialog.h"

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace volantra {

class KeyCaptureFilter;

// The dialog of "Combo Key": one modifier from a list of eight and up to two keys, each
// caught into the key field that has the focus (the first one when the dialog opens;
// fields take the focus by click only). While the modifier list is open the key fields
// are off and keys change nothing; when it closes, the field that had the focus has it
// again.
class ComboKeyDialog : public AssignmentDialog
{
    Q_OBJECT

public:
    static constexpr QRect kModifierFieldArea{50, 70, 66, 14};
    static constexpr QRect kModifierBoxArea{50, 70, 82, 14};
    static constexpr QRect kModifierListArea{50, 87, 82, 140};
    static constexpr QRect kFirstKeyArea{50, 120, 81, 14};
    static constexpr QRect kSecondKeyArea{50, 170, 81, 14};
    static constexpr QRect kPromptArea{50, 196, 190, 16};
    // The tops of the two key caps of the default skin: the modifier's, then the keys'.
    static constexpr QRect kModifierTileArea{186, 101, 60, 39};
    static constexpr QRect kKeyTileArea{296, 101, 42, 39};
    static constexpr int kRowHeight = 16;

    ComboKeyDialog(SkinLibrary& skin, SkinLibrary* fallbackSkin, Language language,
                   QColor textColour, QWidget* parent = nullptr);

    const ComboKeyCapture& capture() const { return m_capture; }
    // The combination OK took; nothing before OK or after Cancel.
    const std::optional<ComboKeyChoice>& choice() const { return m_choice; }

    QLineEdit* keyField(ComboKeyField field) const;
    QLabel* modifierField() const { return m_modifierField; }
    QListWidget* modifierList() const { return m_modifierList; }

protected:
    bool takeOk() override;
    void paintDialog(QPainter& painter) override;
    bool pressed(QPoint at) override;

private:
    void keyCaught(const CapturedKeyEvent& event);
    void modifierClicked(QListWidgetItem* item);
    void showListState();
    std::optional<ComboKeyField> focusedField() const;

    ComboKeyCapture m_capture;
    std::optional<ComboKeyChoice> m_choice;
    QLabel* m_modifierField = nullptr;
    QLineEdit* m_firstKey = nullptr;
    QLineEdit* m_secondKey = nullptr;
    QListWidget* m_modifierList = nullptr;
    KeyCaptureFilter* m_filter = nullptr;
    std::optional<ComboKeyField> m_focusBeforeList;
};

} // namespace volantra
