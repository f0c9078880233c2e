#pragma once

#include "common/atomic_file_writer.h"
#include "common/language.h"
#include "macro/macro_editor.h"
#include "model/settings_record.h"
#include "skin/qt/skinned_dialog.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <functional>
#include <optional>
#include <string>

class QKeyEvent;
class QLineEdit;
class QListWidget;

namespace volantra {

class LanguageTable;
class ListEntryEditor;
class RecordingKeyFilter;

// Names a key event as the key table does; nothing for a key without a name.
using MacroKeyNamer = std::function<std::optional<std::string>(const QKeyEvent&)>;

// What the macro manager works on. It reads and writes these directly, as the main
// window's own objects; nothing is kept beyond the dialog's life.
struct MacroManagerContext
{
    std::string macroFile; // record.ini of the data directory
    AtomicFileWriter& writer;
    SkinLibrary& skin;
    SkinLibrary* fallbackSkin = nullptr; // the installed default skin
    Language language = Language::English;
    QColor textColour;
    // OK puts the twelve macro images here and points the macro-key buttons at their
    // macro's slot; their labels follow renamed macros.
    SettingsRecord& record;
    ButtonLabels& labels;
    // The two record options, kept from one opening to the next.
    MacroOptions& options;
    // Empty: keys are named by their scan code (evdevKeyName).
    MacroKeyNamer keyName = {};
};

// The macro manager: the list of macros, the event lines of the selected one, recording,
// the record options, and OK and Cancel (see MacroEditor for what each writes). Frameless
// and skinned; Enter and Esc never end it.
class MacroManagerDialog : public SkinnedDialog
{
    Q_OBJECT

public:
    static constexpr const char* kBackground = "/MacroManagement/MacroManagement.png";
    // Hit areas and drawn elements, in the skin's layout.
    static constexpr QRect kMacroListArea{21, 82, 109, 271};
    static constexpr QRect kEventListArea{153, 82, 109, 271};
    static constexpr QRect kLoopBoxArea{298, 333, 81, 12};
    static constexpr QRect kCloseArea{427, 17, 51, 24};
    static constexpr QRect kOkArea{298, 394, 54, 28};
    static constexpr QRect kCancelArea{354, 394, 54, 28};
    static constexpr QRect kNewArea{17, 367, 58, 25};
    static constexpr QRect kDeleteArea{77, 367, 58, 25};
    static constexpr QRect kRecordArea{295, 87, 89, 24};
    static constexpr QRect kDelayOptionArea{370, 144, 14, 14};
    static constexpr QRect kLoopOptionArea{296, 314, 14, 14};
    static constexpr QRect kTitleArea{15, 0, 399, 31};
    static constexpr QRect kMacroHeadingArea{16, 60, 118, 18};
    static constexpr QRect kEventHeadingArea{148, 60, 118, 18};
    static constexpr QRect kOptionsHeadingArea{279, 60, 118, 18};
    static constexpr QRect kLoopTextArea{315, 314, 75, 14};
    static constexpr QRect kDelayTextArea{290, 136, 80, 30};

    MacroManagerDialog(MacroManagerContext context, QWidget* parent = nullptr);
    ~MacroManagerDialog() override;

    // Runs the dialog centred on its parent. Without a background or with a macro file
    // it cannot read, it says so and ends as Cancel at once.
    int run();
    // Why the dialog cannot open, or nothing.
    std::optional<QString> openingProblem() const;

    // OK: accepted when every macro fits and the file holds what is shown; otherwise a
    // message says why and the dialog stays open.
    void pressOk();
    // Cancel, the close button and the window manager's close request: a recording is
    // dropped and the macro file is written back as it was at opening.
    void reject() override;

    const MacroEditor* editor() const { return m_editor ? &*m_editor : nullptr; }
    QListWidget* macroList() const { return m_macroList; }
    QListWidget* eventList() const { return m_eventList; }
    QLineEdit* loopBox() const { return m_loopBox; }
    // The in-place editor while one is open.
    ListEntryEditor* entryEditor() const;
    // The text the title area shows: the hint to stop while recording.
    QString titleText() const;

protected:
    void paintContent(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Element { None, Close, Ok, Cancel, New, Delete };
    static Element elementAt(QPoint at);

    QString text(const char* english) const;
    void createControls();
    void showMessage(const QString& caption, const QString& message);
    // Shows a refusal or a failed write; a failed write only the first time.
    void report(const Status& status);
    void reportWriteProblem();
    void reportLoadProblem();

    void refreshMacros();
    void refreshEvents();
    void refreshOptions();
    void refreshRecordingState();

    void macroChosen(int row);
    void macroDoubleClicked(int row);
    void eventChosen(int row);
    void eventDoubleClicked(int row);
    void openEntryEditor(QListWidget* list, int row);
    void nameCommitted(int row, const QString& name);
    void delayCommitted(int row, const QString& typed);
    void showEventMenu(QPoint at);
    void loopCommitted();

    void pressNew();
    void pressDelete();
    void pressRecord();
    void startRecording();
    void stopRecording(bool onCombination);
    void keyRecorded(const QKeyEvent& event);
    void scrollEvents(int angleDelta);

    MacroManagerContext m_context;
    const LanguageTable& m_texts;
    QFont m_font;
    std::optional<MacroEditor> m_editor;
    std::optional<QString> m_openingProblem;
    bool m_finished = false;

    QListWidget* m_macroList = nullptr;
    QListWidget* m_eventList = nullptr;
    QLineEdit* m_loopBox = nullptr;
    QPointer<ListEntryEditor> m_entryEditor;
    RecordingKeyFilter* m_recordingFilter = nullptr;

    Element m_hovered = Element::None;
    // The entries last marked for editing: a double-click on the marked one edits it.
    std::optional<int> m_markedMacro;
    std::optional<int> m_markedEvent;
    int m_wheelRemainder = 0;
};

} // namespace volantra
