#pragma once

#include "assign/qt/assignment_dialog.h"
#include "assign/single_key_capture.h"

#include <optional>

class QLabel;

namespace volantra {

class KeyCaptureFilter;

// The dialog of "Single Key": shows the name of the key pressed or released last and
// returns it on OK. Every key is caught, Tab, Enter and Esc included; none of them ends
// the dialog.
class SingleKeyDialog : public AssignmentDialog
{
    Q_OBJECT

public:
    static constexpr QRect kPromptArea{34, 103, 146, 20};
    static constexpr QRect kNameArea{74, 129, 76, 14};
    // The top of the default skin's key cap, which shows the caught key.
    static constexpr QRect kKeyTileArea{240, 83, 82, 74};

    SingleKeyDialog(SkinLibrary& skin, SkinLibrary* fallbackSkin, Language language,
                    QColor textColour, QWidget* parent = nullptr);

    const SingleKeyCapture& capture() const { return m_capture; }
    // The key OK took; nothing before OK or after Cancel.
    const std::optional<SingleKeyChoice>& choice() const { return m_choice; }
    // Shows the key's name as it is caught.
    QString shownName() const;

protected:
    bool takeOk() override;
    void paintDialog(QPainter& painter) override;

private:
    void keyCaught(const CapturedKeyEvent& event);

    SingleKeyCapture m_capture;
    std::optional<SingleKeyChoice> m_choice;
    QLabel* m_nameField = nullptr;
    KeyCaptureFilter* m_filter = nullptr;
};

} // namespace volantra
