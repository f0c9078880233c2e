#pragma once

#include "common/atomic_file_writer.h"
#include "common/result.h"
#include "macro/macro_definition.h"
#include "macro/macro_recorder.h"
#include "macro/macro_store.h"
#include "model/settings_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// The two options of the macro manager. They belong to the program rather than to one
// macro: a macro's section sets them only where it says 0 or 1, every save stores them
// with the macro, and they stay as they are for the next opening of the manager.
struct MacroOptions
{
    bool recordDelays = false; // "Record delays between key commands"
    bool loopEnabled = false;  // "Loop Times"

    friend bool operator==(const MacroOptions&, const MacroOptions&) = default;
};

// The mouse buttons the event list's menu inserts as a click.
enum class MacroMouseButton { Left, Middle, Right };

// The labels of the eight buttons, as the Button Assignment panel shows them.
using ButtonLabels = std::array<std::string, SettingsRecord::kButtonCount>;

// What the manager's work means to the rest of the program once OK was accepted.
struct MacroHandOver
{
    // Things to tell the user once: buttons whose macro is gone, keys the mouse cannot play.
    std::vector<std::string> notices;
};

// The macro manager's rules on record.ini: the list of macros and the event lines of the
// selected one, and what each edit writes. Every edit is written at once, in place, so a
// macro keeps its slot; the file as it was at opening is written back when the manager
// is cancelled, and OK hands the twelve encoded images to the settings record.
//
// Refusals (a name in use, the twelfth macro, a full macro) come back as InvalidInput
// errors to show every time. A write that fails keeps the edit on screen, to be saved by
// the next write; takeWriteProblem() gives its message once, and OK waits until the file
// holds what the manager shows.
class MacroEditor
{
public:
    // The mouse holds twelve macros; a file of far more sections was not made for it, and
    // listing hundreds of thousands of them would freeze the manager.
    static constexpr std::size_t kMaxMacrosInFile = 100;

    // Reads the file; a missing file is an empty list (the first new macro creates it). The
    // first macro is selected, and its section sets the options it names. InvalidInput,
    // naming the file, when it holds more than kMaxMacrosInFile macros.
    static Result<MacroEditor> open(std::string path, AtomicFileWriter& writer,
                                    MacroOptions options = {});

    const std::string& path() const { return m_store.path(); }
    // Every macro, in file order: the i-th fills the mouse's macro slot i + 1.
    std::vector<std::string> macroNames() const { return m_store.listMacros(); }
    std::optional<std::size_t> selectedMacro() const { return m_selected; }
    // The event lines of the selected macro; during a recording, those recorded so far.
    const std::vector<std::string>& items() const;
    std::optional<std::size_t> selectedItem() const { return m_selectedItem; }
    const MacroOptions& options() const { return m_options; }
    // The loop count the loop box shows.
    std::uint16_t loopTimes() const { return m_current.loopTimes; }
    bool recording() const { return m_recorder.recording(); }
    // A recording of this editor has been stopped (and none started since).
    bool recordingStopped() const { return m_recorder.stopped(); }
    // Whether anything was written to the file since it was opened.
    bool changed() const { return m_changed; }
    // Why the selected macro's lines could not be read (MacroStore::loadMacro); the macro
    // is then shown empty and only renamed or deleted, so nothing replaces it in the file.
    const std::optional<std::string>& loadProblem() const { return m_loadProblem; }

    // Whether the mouse can play the key of a press or release line (delay lines can);
    // lines it cannot play still time the macro, and are shown marked.
    static bool playable(std::string_view line);

    Status selectMacro(std::size_t index);
    // The selected event line; an index past the end selects none.
    void selectItem(std::optional<std::size_t> index);

    // Appends a macro named by nextMacroName with `prefix` (the language's word for macro)
    // and selects it, empty with loop count 1.
    Status newMacro(std::string_view prefix);
    // Removes the selected macro; none is selected afterwards.
    Status deleteSelectedMacro();
    // The name editor's commit: checks the name (MacroStore::checkName) and renames the
    // macro where it stands. The name as it is changes nothing.
    Status renameMacro(std::size_t index, std::string_view name);

    // The event list's menu, on the selected line.
    Status deleteSelectedItem();
    Status insertClick(MacroMouseButton button);
    Status insertDelay();
    // The delay editor's commit on line `index`: see typedDelayItem; a text that is not a
    // pause leaves the line as it is.
    Status editDelay(std::size_t index, std::string_view typed);

    Status setRecordDelays(bool on);
    Status setLoopEnabled(bool on);
    // The loop box's commit: 1 to 65535, anything else is 1 (loopTimes() shows which).
    Status commitLoopTimes(std::string_view typed);

    // Starts recording into the selected macro; false when no macro is selected.
    bool startRecording();
    // A key event while recording (see MacroRecorder); a recording the key stopped is
    // saved like one stopped by stopRecording.
    MacroRecorder::Outcome recordKey(std::string_view name, bool release, bool autoRepeat,
                                     std::uint32_t timestampMs);
    // Ends the recording and saves it; a recording that caught nothing keeps the lines
    // the macro had. `onCombination`: ended by Ctrl+Pause, which is not recorded.
    Status stopRecording(bool onCombination = false);

    // The first write that failed since the last one that worked, once, naming the file.
    std::optional<std::string> takeWriteProblem();

    // OK: saves what is shown, refuses while a macro does not fit its image, encodes the
    // twelve images into `record`, points each macro-key button whose label names a
    // macro at that macro's slot (and renames the label with a renamed macro), and says
    // which buttons lost their macro and which keys the mouse cannot play.
    Result<MacroHandOver> accept(SettingsRecord& record, ButtonLabels& labels);
    // Cancel or close: ends a recording unsaved, and writes the file back as it was at
    // opening when anything was written since.
    Status cancel();

private:
    MacroEditor(MacroStore store, std::optional<std::vector<std::uint8_t>> original,
                MacroOptions options);

    void load(std::size_t index);
    Status saveCurrent();
    Status savePending();
    Status noteWrite(Status status);
    Status refuseWhileRecording() const;
    // Makes `items` the selected macro's lines, unless they need more room than the image
    // has and more than the lines they replace.
    Status changeItems(std::vector<std::string> items, std::optional<std::size_t> selection);
    Status finishRecording();
    std::vector<std::string> unplayableKeys() const;

    MacroStore m_store;
    std::optional<std::vector<std::uint8_t>> m_original; // the file at opening
    MacroOptions m_options;
    // What each macro in the file was called at opening (nothing for new ones), in file
    // order, so buttons can follow their macro through renames and deletes.
    std::vector<std::string> m_namesAtOpening;
    std::vector<std::optional<std::string>> m_origins;

    std::optional<std::size_t> m_selected;
    MacroDefinition m_current;
    std::optional<std::string> m_loadProblem;
    std::optional<std::size_t> m_selectedItem;
    bool m_pending = false; // m_current holds edits the file does not

    MacroRecorder m_recorder;
    std::vector<std::string> m_itemsBeforeRecording;

    bool m_changed = false;
    std::optional<std::string> m_writeProblem;
    bool m_writeProblemTaken = false;
    std::set<std::string> m_unplayableNamed;
};

} // namespace volantra
