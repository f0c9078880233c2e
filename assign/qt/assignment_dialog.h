#pragma once

#include "assign/capture_dialog_texts.h"
#include "skin/qt/skin_button.h"
#include "skin/qt/skinned_dialog.h"

#include <QColor>
#include <QFont>
#include <QRect>

namespace volantra {

// What the single-key, combo-key and macro-key dialogs share: a close button, OK and
// Cancel drawn from the skin with a hover look, their texts and font by language, and a
// window the user can drag by any free spot.
//
// OK ends the dialog only when the dialog's rules take it; otherwise it stays open and
// its prompt says why. Cancel, the close button and the window manager's close request
// end it as Cancel, which changes nothing.
class AssignmentDialog : public SkinnedDialog
{
    Q_OBJECT

public:
    AssignmentDialog(CaptureDialogKind kind, SkinLibrary& skin, SkinLibrary* fallbackSkin,
                     Language language, QColor textColour, QWidget* parent);

    CaptureDialogKind kind() const { return m_kind; }
    Language language() const { return m_language; }

    // Runs the dialog centred on its parent window. Without a background (neither the
    // skin nor the default skin has it) it says so and ends as Cancel at once.
    int run();

    // What a click on OK does: accept() when the dialog's rules take its choice.
    void pressOk();

protected:
    // True when the dialog takes OK now; false keeps it open.
    virtual bool takeOk() = 0;
    // Draws what lies over the background besides the three buttons.
    virtual void paintDialog(QPainter& painter) = 0;
    // A press that is not on a button; true when it hit something of the dialog, so it
    // does not start a window move. Called before the buttons are looked at.
    virtual bool pressed(QPoint /*at*/) { return false; }

    const QFont& dialogFont() const { return m_font; }
    QColor textColour() const { return m_textColour; }
    // Draws `text` on one line, centred in `area`.
    void drawCentred(QPainter& painter, QRect area, const QString& text) const;
    // Draws `text` in the painter's font, made smaller until the text fits `area`.
    void drawFitted(QPainter& painter, QRect area, int flags, const QString& text) const;
    // The key dialogs' prompt in `area`, in the dialog's font and text colour, and their
    // note on keys the desktop keeps, beside OK and Cancel.
    void drawKeyPromptAndNote(QPainter& painter, const Rect& area, CapturePrompt prompt) const;

    void paintContent(QPainter& painter) final;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    enum class Button { Close, Ok, Cancel };

    CaptureDialogKind m_kind;
    Language m_language;
    QColor m_textColour;
    QFont m_font;
    CaptureDialogLook m_look;
    SkinButtonSet<Button> m_buttons;
};

// The dialogs' fields and lists: white text on dark grey, without a frame.
QString assignmentFieldStyle(const char* widgetClass);

} // namespace volantra
