#include "macro/macro_recorder.h"

#include "assign/key_table.h"
#include "macro/macro_item.h"

#include <algorithm>

namespace volantra {
namespace {

// The keyboard usages of the two Ctrl keys.
constexpr std::uint8_t kLeftCtrlUsage = 0xE0;
constexpr std::uint8_t kRightCtrlUsage = 0xE4;

} // namespace

void MacroRecorder::start(bool recordDelays, std::size_t recordCapacity)
{
    m_recording = true;
    m_stopped = false;
    m_recordDelays = recordDelays;
    m_capacity = recordCapacity;
    m_lines.clear();
    m_held.clear();
    m_records = 0;
    m_lastTimestamp = 0;
}

bool MacroRecorder::isHeld(std::string_view name) const
{
    return std::find(m_held.begin(), m_held.end(), name) != m_held.end();
}

void MacroRecorder::releaseHeld(std::string_view name)
{
    const auto found = std::find(m_held.begin(), m_held.end(), name);
    if (found != m_held.end())
        m_held.erase(found);
}

MacroRecorder::Outcome MacroRecorder::key(std::string_view name, bool release, bool autoRepeat,
                                          std::uint32_t timestampMs)
{
    if (!m_recording || autoRepeat || (!release && isHeld(name)))
        return Outcome::Ignored;

    const bool first = m_lines.empty();
    // Unsigned difference: right across the clock's wrap.
    const std::uint32_t elapsed = timestampMs - m_lastTimestamp;
    // The pause lengthens the event before this one beyond its single record.
    const std::size_t pauseRecords =
        !first && m_recordDelays ? eventRecordCount(static_cast<std::int64_t>(elapsed)) - 1 : 0;
    const std::size_t heldAfter =
        release ? m_held.size() - (isHeld(name) ? 1 : 0) : m_held.size() + 1;
    if (m_records + pauseRecords + 1 + heldAfter > m_capacity) {
        stop();
        return Outcome::Stopped;
    }

    if (!first && m_recordDelays)
        m_lines.push_back(macroDelayItem(static_cast<std::int64_t>(elapsed)));
    m_lines.push_back(release ? macroReleaseItem(name) : macroPressItem(name));
    m_records += pauseRecords + 1;
    m_lastTimestamp = timestampMs;
    if (release)
        releaseHeld(name);
    else
        m_held.emplace_back(name);
    return Outcome::Recorded;
}

void MacroRecorder::stop()
{
    if (!m_recording)
        return;
    m_recording = false;
    m_stopped = true;
    // The last key down goes up first, as fingers leave a chord.
    for (auto held = m_held.rbegin(); held != m_held.rend(); ++held) {
        m_lines.push_back(macroReleaseItem(*held));
        ++m_records;
    }
    m_held.clear();
}

bool MacroRecorder::removeTrailingCtrlPress()
{
    if (m_lines.empty() || classifyMacroItem(m_lines.back()) != MacroItemKind::Press)
        return false;
    const std::string name = *macroItemKeyName(m_lines.back());
    const std::uint8_t usage = keyNameToUsage(name);
    if ((usage != kLeftCtrlUsage && usage != kRightCtrlUsage) || !isHeld(name))
        return false;
    m_lines.pop_back();
    --m_records;
    releaseHeld(name);
    if (!m_lines.empty() && classifyMacroItem(m_lines.back()) == MacroItemKind::Delay) {
        m_records -= eventRecordCount(leadingInteger(m_lines.back())) - 1;
        m_lines.pop_back();
    }
    return true;
}

void MacroRecorder::stopOnCombination()
{
    if (!m_recording)
        return;
    while (removeTrailingCtrlPress()) {
    }
    stop();
}

} // namespace volantra
