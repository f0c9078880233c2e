#pragma once

#include "macro/macro_encoder.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// Turns the keys typed during a recording into the event lines of a macro: "A   Dn",
// "A   Up" and, with recorded delays, the pause before each event but the first ("80 ms").
//
// A recording must fit in one macro image, so the recorder counts the records every event
// will take (a pause over 1270 ms needs more than one) and keeps room for the release of
// every key still held: when the next event would not leave that room, the recording
// stops without it. Whenever a recording stops, the keys still held are released at its
// end, so the mouse never leaves a key down on the computer it plays to.
class MacroRecorder
{
public:
    enum class Outcome {
        Recorded, // the event is in the lines
        Ignored,  // an auto-repeat, a second press of a held key, or not recording
        Stopped,  // the event would not fit: the recording ended without it
    };

    // Forgets the previous recording. `recordCapacity` is the room of one image.
    void start(bool recordDelays, std::size_t recordCapacity = kMacroRecordCapacity);
    bool recording() const { return m_recording; }
    // A recording was started and has ended since: the macro manager then takes Enter as OK.
    bool stopped() const { return m_stopped; }

    // A key went down or up. Names come from the key-name service; timestamps are the
    // event times in milliseconds, of a clock that wraps at 32 bits (X11 and Wayland).
    Outcome key(std::string_view name, bool release, bool autoRepeat, std::uint32_t timestampMs);

    // Ends the recording; the keys still held are released at its end.
    void stop();
    // Ends the recording on its stop combination, Ctrl+Pause: the Ctrl presses that end
    // the lines belong to the combination and are taken out, with the pause before them.
    void stopOnCombination();

    const std::vector<std::string>& lines() const { return m_lines; }
    // The records the lines take in the image.
    std::size_t records() const { return m_records; }
    // The keys pressed and not released yet, in the order they went down.
    const std::vector<std::string>& heldKeys() const { return m_held; }

private:
    bool isHeld(std::string_view name) const;
    void releaseHeld(std::string_view name);
    bool removeTrailingCtrlPress();

    bool m_recording = false;
    bool m_stopped = false;
    bool m_recordDelays = false;
    std::size_t m_capacity = kMacroRecordCapacity;
    std::vector<std::string> m_lines;
    std::vector<std::string> m_held;
    // Records of the lines, counting the last event as one: what follows it is a key line
    // or nothing, and either gives it a short pause.
    std::size_t m_records = 0;
    std::uint32_t m_lastTimestamp = 0;
};

} // namespace volantra
