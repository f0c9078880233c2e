#pragma once

#include "common/atomic_file_writer.h"
#include "common/language.h"
#include "macro/macro_editor.h"
#include "model/settings_record.h"
#include "skin/qt/skin_button.h"
#include "skin/qt/skinned_dialog.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>

class QKeyEvent;
class QLineEdit;
class QListWidget;

namespace volantra {

class LanguageTable;
class DialogKeyFilter;
class ListEntryEditor;

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
// and skinned; Esc never ends it, and Enter only once a recording has been stopped: then
// it commits an open in-place edit or, without one, acts as OK.
class MacroManagerDialog : public SkinnedDialog
{
    Q_OBJECT

public:
    static constexpr const char* kBackground = "/MacroManagement/MacroManagement.png";

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
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Button { Close, Ok, Cancel, Record, DelayOption, LoopOption, New, Delete };

    QString text(const char* english) const;
    void createControls();
    void createButtons();
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
    DialogKeyFilter* m_recordingFilter = nullptr;

    SkinButtonSet<Button> m_buttons;
    // The entries last marked for editing: a double-click on the marked one edits it.
    std::optional<int> m_markedMacro;
    std::optional<int> m_markedEvent;
    int m_wheelRemainder = 0;
};

} // namespace volantra
