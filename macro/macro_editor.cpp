#include "macro/macro_editor.h"

#include "macro/macro_encoder.h"
#include "macro/macro_item.h"
#include "model/ini_file.h"

#include <algorithm>

namespace volantra {
namespace {

Error refused(std::string message)
{
    return Error{Error::Kind::InvalidInput, std::move(message)};
}

std::string quoted(std::string_view name)
{
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "\"" + string.
    std::string text(1, '"');
    text.append(name).push_back('"');
    return text;
}

std::string joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::string_view buttonItemName(MacroMouseButton button)
{
    switch (button) {
    case MacroMouseButton::Middle:
        return "M-Button";
    case MacroMouseButton::Right:
        return "R-Button";
    case MacroMouseButton::Left:
        break;
    }
    return "L-Button";
}

// The macro a button's label names: the label is the menu entry, "-" and the macro's
// name, so the longest name the label ends with after a "-".
std::optional<std::size_t> macroNamedBy(std::string_view label,
                                        const std::vector<std::string>& names)
{
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (label.size() > name.size() && label.ends_with(name) &&
            label[label.size() - name.size() - 1] == '-' &&
            (!best || names[*best].size() < name.size()))
            best = i;
    }
    return best;
}

// A flag as the manager reads the first macro at opening: on only for 1.
bool openingFlag(const std::optional<bool>& stored)
{
    return stored.value_or(false);
}

} // namespace

MacroEditor::MacroEditor(MacroStore store, std::optional<std::vector<std::uint8_t>> original,
                         MacroOptions options)
    : m_store(std::move(store)), m_original(std::move(original)), m_options(options)
{
    m_namesAtOpening = m_store.listMacros();
    m_origins.assign(m_namesAtOpening.begin(), m_namesAtOpening.end());
    if (!m_namesAtOpening.empty()) {
        load(0);
        m_options.recordDelays = openingFlag(m_current.recordDelays);
        m_options.loopEnabled = openingFlag(m_current.loopEnabled);
    }
}

Result<MacroEditor> MacroEditor::open(std::string path, AtomicFileWriter& writer,
                                      MacroOptions options)
{
    Result<std::optional<std::vector<std::uint8_t>>> bytes = IniFile::readBytes(path);
    if (!bytes)
        return bytes.error();
    IniFile file = *bytes ? IniFile::fromBytes(std::move(path), writer, **bytes)
                          : IniFile(std::move(path), writer);
    if (const std::size_t macros = file.sectionNames().size(); macros > kMaxMacrosInFile)
        return refused(file.path() + " holds " + std::to_string(macros) +
                       " macros, more than the " + std::to_string(kMaxMacrosInFile) +
                       " the macro manager opens (the mouse holds " +
                       std::to_string(kMacroSlotCount) +
                       "). Delete the macros you do not need from the file, or move the file "
                       "away to start afresh.");
    return MacroEditor(MacroStore::fromFile(std::move(file)), std::move(*bytes), options);
}

const std::vector<std::string>& MacroEditor::items() const
{
    return m_recorder.recording() ? m_recorder.lines() : m_current.items;
}

bool MacroEditor::playable(std::string_view line)
{
    const std::optional<std::string> key = macroItemKeyName(line);
    return !key || macroKeyCode(*key) != 0;
}

void MacroEditor::load(std::size_t index)
{
    const std::vector<std::string> names = macroNames();
    Result<MacroDefinition> definition = m_store.loadMacro(names.at(index));
    m_loadProblem.reset();
    if (definition) {
        m_current = std::move(*definition);
    } else {
        m_current = MacroDefinition{};
        m_current.name = names[index];
        m_loadProblem = definition.error().message;
    }
    if (m_current.recordDelays)
        m_options.recordDelays = *m_current.recordDelays;
    if (m_current.loopEnabled)
        m_options.loopEnabled = *m_current.loopEnabled;
    // Older files hold pauses that are negative or too long to play.
    for (std::string& item : m_current.items)
        item = clampedDelayItem(item);
    m_selected = index;
    m_selectedItem.reset();
    m_pending = false;
}

Status MacroEditor::noteWrite(Status status)
{
    if (status) {
        m_changed = true;
        m_writeProblem.reset();
        m_writeProblemTaken = false;
    } else if (status.error().kind != Error::Kind::InvalidInput && !m_writeProblem) {
        m_writeProblem = "The macros could not be saved, so the changes shown are not kept "
                         "yet: " +
                         status.error().message;
    }
    return status;
}

std::optional<std::string> MacroEditor::takeWriteProblem()
{
    if (!m_writeProblem || m_writeProblemTaken)
        return std::nullopt;
    m_writeProblemTaken = true;
    return m_writeProblem;
}

Status MacroEditor::saveCurrent()
{
    if (!m_selected)
        return {};
    if (m_loadProblem)
        return refused(*m_loadProblem);
    MacroDefinition definition = m_current;
    definition.recordDelays = m_options.recordDelays;
    definition.loopEnabled = m_options.loopEnabled;
    const Status saved = noteWrite(m_store.saveMacro(definition));
    m_pending = !saved.ok();
    return saved;
}

Status MacroEditor::savePending()
{
    return m_pending ? saveCurrent() : Status{};
}

Status MacroEditor::refuseWhileRecording() const
{
    if (m_recorder.recording())
        return refused("Stop the recording first.");
    return {};
}

Status MacroEditor::selectMacro(std::size_t index)
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    if (index >= macroNames().size())
        return Error{Error::Kind::NotFound,
                     "There is no macro number " + std::to_string(index + 1) + " in " + path()};
    if (m_selected == index)
        return {};
    // The edits of the macro being left must reach the file first, or they are lost.
    if (Status saved = savePending(); !saved)
        return saved;
    load(index);
    return {};
}

void MacroEditor::selectItem(std::optional<std::size_t> index)
{
    if (index && *index >= items().size())
        index.reset();
    m_selectedItem = index;
}

Status MacroEditor::newMacro(std::string_view prefix)
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    if (Status saved = savePending(); !saved)
        return saved;
    const Result<std::string> name = nextMacroName(macroNames(), prefix);
    if (!name)
        return name.error();
    MacroDefinition created;
    created.name = *name;
    created.recordDelays = m_options.recordDelays;
    created.loopEnabled = m_options.loopEnabled;
    if (Status saved = noteWrite(m_store.saveMacro(created)); !saved)
        return saved;
    m_origins.emplace_back();
    load(macroNames().size() - 1);
    return {};
}

Status MacroEditor::deleteSelectedMacro()
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    if (!m_selected)
        return {};
    if (Status deleted = noteWrite(m_store.deleteMacro(m_current.name)); !deleted)
        return deleted;
    m_origins.erase(m_origins.begin() + static_cast<std::ptrdiff_t>(*m_selected));
    m_selected.reset();
    m_current = MacroDefinition{};
    m_loadProblem.reset();
    m_selectedItem.reset();
    m_pending = false;
    return {};
}

Status MacroEditor::renameMacro(std::size_t index, std::string_view name)
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    const std::vector<std::string> names = macroNames();
    if (index >= names.size())
        return Error{Error::Kind::NotFound,
                     "There is no macro number " + std::to_string(index + 1) + " in " + path()};
    if (names[index] == name)
        return {};
    if (Status renamed = noteWrite(m_store.renameMacro(names[index], name)); !renamed)
        return renamed;
    if (m_selected == index)
        m_current.name = std::string(name);
    return {};
}

Status MacroEditor::changeItems(std::vector<std::string> items,
                                std::optional<std::size_t> selection)
{
    if (m_loadProblem)
        return refused(*m_loadProblem);
    const std::size_t needed = macroRecordCount(items, m_options.recordDelays);
    if (needed > kMacroRecordCapacity &&
        needed > macroRecordCount(m_current.items, m_options.recordDelays))
        return refused("Macro " + quoted(m_current.name) + " is full: a macro holds " +
                       std::to_string(kMacroRecordCapacity) +
                       " records, one per key event and up to two more for a pause over 1270 "
                       "ms.");
    m_current.items = std::move(items);
    m_selectedItem = selection;
    return saveCurrent();
}

Status MacroEditor::deleteSelectedItem()
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    if (!m_selected || !m_selectedItem)
        return {};
    std::vector<std::string> items = m_current.items;
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(*m_selectedItem));
    return changeItems(std::move(items), std::nullopt);
}

Status MacroEditor::insertClick(MacroMouseButton button)
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    if (!m_selected || (!m_selectedItem && !m_current.items.empty()))
        return {};
    const std::string_view name = buttonItemName(button);
    const std::size_t at = m_selectedItem ? *m_selectedItem + 1 : 0;
    std::vector<std::string> items = m_current.items;
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at),
                 {macroPressItem(name), macroReleaseItem(name)});
    return changeItems(std::move(items),
                       m_selectedItem ? std::optional<std::size_t>(at) : std::nullopt);
}

Status MacroEditor::insertDelay()
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    if (!m_selected || !m_selectedItem || *m_selectedItem == 0)
        return {};
    const std::size_t at = *m_selectedItem;
    auto isDelay = [](const std::string& line) { return line.find("ms") != std::string::npos; };
    if (isDelay(m_current.items[at]) || isDelay(m_current.items[at - 1]))
        return {};
    std::vector<std::string> items = m_current.items;
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), macroDelayItem(50));
    return changeItems(std::move(items), at);
}

Status MacroEditor::editDelay(std::size_t index, std::string_view typed)
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    if (!m_selected || index >= m_current.items.size() ||
        m_current.items[index].find(kDelaySuffix) == std::string::npos)
        return {};
    const std::optional<std::string> line = typedDelayItem(typed);
    if (!line)
        return {};
    std::vector<std::string> items = m_current.items;
    items[index] = *line;
    return changeItems(std::move(items), index);
}

Status MacroEditor::setRecordDelays(bool on)
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    m_options.recordDelays = on;
    return saveCurrent();
}

Status MacroEditor::setLoopEnabled(bool on)
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    m_options.loopEnabled = on;
    return saveCurrent();
}

Status MacroEditor::commitLoopTimes(std::string_view typed)
{
    if (Status idle = refuseWhileRecording(); !idle)
        return idle;
    if (m_loadProblem)
        return refused(*m_loadProblem);
    const std::uint16_t value = validLoopTimes(typed);
    if (m_selected && value == m_current.loopTimes && !m_pending)
        return {};
    m_current.loopTimes = value;
    return saveCurrent();
}

bool MacroEditor::startRecording()
{
    if (!m_selected || m_loadProblem || m_recorder.recording())
        return false;
    m_itemsBeforeRecording = m_current.items;
    m_recorder.start(m_options.recordDelays);
    m_selectedItem.reset();
    return true;
}

MacroRecorder::Outcome MacroEditor::recordKey(std::string_view name, bool release, bool autoRepeat,
                                              std::uint32_t timestampMs)
{
    const MacroRecorder::Outcome outcome = m_recorder.key(name, release, autoRepeat, timestampMs);
    if (outcome == MacroRecorder::Outcome::Recorded)
        m_selectedItem = m_recorder.lines().size() - 1;
    else if (outcome == MacroRecorder::Outcome::Stopped)
        (void)finishRecording(); // a failed save is pending and told by takeWriteProblem()
    return outcome;
}

Status MacroEditor::stopRecording(bool onCombination)
{
    if (!m_recorder.recording())
        return {};
    if (onCombination)
        m_recorder.stopOnCombination();
    else
        m_recorder.stop();
    return finishRecording();
}

Status MacroEditor::finishRecording()
{
    if (m_recorder.lines().empty()) {
        m_current.items = std::move(m_itemsBeforeRecording);
        m_selectedItem.reset();
        return {};
    }
    m_current.items = m_recorder.lines();
    m_selectedItem = m_current.items.size() - 1;
    // A save that fails keeps the recording on screen, pending for the next write.
    return saveCurrent();
}

std::vector<std::string> MacroEditor::unplayableKeys() const
{
    std::vector<std::string> keys;
    const std::vector<std::string> names = macroNames();
    for (std::size_t slot = 0; slot < std::min(names.size(), kMacroSlotCount); ++slot) {
        const Result<MacroDefinition> macro = m_store.loadMacro(names[slot]);
        if (!macro)
            continue;
        for (const std::string& line : macro->items) {
            const std::optional<std::string> key = macroItemKeyName(line);
            if (key && macroKeyCode(*key) == 0 &&
                std::find(keys.begin(), keys.end(), *key) == keys.end())
                keys.push_back(*key);
        }
    }
    return keys;
}

Result<MacroHandOver> MacroEditor::accept(SettingsRecord& record, ButtonLabels& labels)
{
    if (m_recorder.recording())
        (void)stopRecording();
    if (Status saved = savePending(); !saved)
        return Error{saved.error().kind, m_writeProblem.value_or(saved.error().message)};

    const MacroImages images = encodeAll(m_store.document());
    if (!images.cutMacros.empty()) {
        std::vector<std::string> names;
        for (const std::string& name : images.cutMacros)
            names.push_back(quoted(name));
        return refused((names.size() == 1 ? "Macro " + names[0] + " does not"
                                          : "Macros " + joined(names) + " do not") +
                       " fit in the mouse: a macro holds " + std::to_string(kMacroRecordCapacity) +
                       " records, one per key event and up to two more for a pause over 1270 "
                       "ms. Shorten it before OK.");
    }

    MacroHandOver handOver;
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        record.setMacroImage(slot, images.images[slot]);

    const std::vector<std::string> names = macroNames();
    std::vector<std::string> lostButtons;
    for (std::size_t button = 0; button < SettingsRecord::kButtonCount; ++button) {
        if (record.buttonKind(button) != static_cast<std::uint8_t>(ButtonFunctionKind::MacroKey))
            continue;
        std::string& label = labels[button];
        std::optional<std::size_t> position;
        if (const std::optional<std::size_t> was = macroNamedBy(label, m_namesAtOpening)) {
            const std::string& oldName = m_namesAtOpening[*was];
            const auto found =
                std::find(m_origins.begin(), m_origins.end(), std::optional<std::string>(oldName));
            if (found == m_origins.end()) {
                lostButtons.push_back("Button " + std::to_string(button + 1));
                continue;
            }
            position = static_cast<std::size_t>(found - m_origins.begin());
            label = label.substr(0, label.size() - oldName.size()) + names[*position];
        } else {
            position = macroNamedBy(label, names);
        }
        if (!position || *position >= kMacroSlotCount)
            continue;
        ButtonParameters parameters = record.button(button);
        parameters.macroPosition = static_cast<std::uint8_t>(*position);
        record.setButton(button, parameters);
    }
    if (!lostButtons.empty())
        handOver.notices.push_back(
            "The macro of " + joined(lostButtons) +
            " was deleted; the button keeps its old macro slot until another macro is chosen "
            "for it.");

    std::vector<std::string> unnamed;
    for (std::string& key : unplayableKeys()) {
        if (m_unplayableNamed.insert(key).second)
            unnamed.push_back(std::move(key));
    }
    if (!unnamed.empty())
        handOver.notices.push_back("The mouse cannot play these keys; their events only keep "
                                   "the timing of the macro: " +
                                   joined(unnamed) + ".");
    return handOver;
}

Status MacroEditor::cancel()
{
    m_recorder.stop();
    if (!m_changed)
        return {};
    if (Status restored = m_store.restore(m_original); !restored)
        return Error{restored.error().kind,
                     "The macros could not be put back as they were: " + restored.error().message};
    m_changed = false;
    return {};
}

} // namespace volantra
