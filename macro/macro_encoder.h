#pragma once

#include "device/device_images.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

class IniDocument;

// The byte the mouse plays for a key or button name in a macro: the key table of the
// button assignment, except that macros cannot play "Application" (it gives 0, as does
// every name the table does not hold).
std::uint8_t macroKeyCode(std::string_view keyName);

// Builds one macro image as the mouse reads it: the loop count big-endian in bytes 0..1,
// then two-byte event records packed from byte 2, zero after the last one.
//
// An event record is (direction bit | delay field, key code). The pause after the event
// decides how many records it takes: up to 1270 ms one record in 10 ms units; up to
// 25500 ms the remainder of 100 ms in the first record and an extension (v/100, 0x03);
// longer, the remainder, an extension (0x00, 0x03) and the count of 100 ms big-endian.
class MacroEncoder
{
public:
    static constexpr std::size_t kLoopCountOffset = 0;
    static constexpr std::size_t kFirstRecordOffset = 2;
    static constexpr std::size_t kRecordSize = 2;
    static constexpr std::uint8_t kReleaseBit = 0x80;
    static constexpr std::uint8_t kDelayFieldMask = 0x7F;
    static constexpr std::uint8_t kDelayExtensionCode = 0x03;
    // The longest pause of the one-record and the two-record forms.
    static constexpr std::int64_t kMaxShortDelayMs = 1270;
    static constexpr std::int64_t kMaxMediumDelayMs = 25500;

    explicit MacroEncoder(std::uint16_t loopCount);

    // Appends a press or release and the pause after it (clamped to 0..6553500 ms). An
    // event is written whole or not at all: when its records do not fit in what is left
    // of the image, nothing of it is written, the macro counts as cut, and every later
    // event is left out too, so the mouse never plays a macro with a hole in it.
    bool addEvent(bool release, std::uint8_t code, std::int64_t delayMs);

    const DeviceImage& image() const { return m_image; }
    // Whether an event was left out for want of room.
    bool cut() const { return m_cut; }

private:
    DeviceImage m_image{};
    std::size_t m_position = kFirstRecordOffset;
    bool m_cut = false;
};

// What is left of an image after the loop count: room for 63 event records.
inline constexpr std::size_t kMacroRecordCapacity =
    (kImageSize - MacroEncoder::kFirstRecordOffset) / MacroEncoder::kRecordSize;

// How many records an event takes with the pause after it (clamped as addEvent does).
std::size_t eventRecordCount(std::int64_t delayMs);

// How many records the events of these lines take, counted as the encoder writes them
// but without the image's limit, so an editor can tell whether a macro fits.
std::size_t macroRecordCount(std::span<const std::string> items, bool recordDelays);

// What the encoder reads of one macro section, as the numbers stand in the file.
struct MacroSource
{
    int recordDelays = 0; // any value but 0 takes the pauses from the delay lines
    int loopEnabled = 0;  // any value but 0 plays loopTimes times
    int loopTimes = 0;
    std::vector<std::string> items;
};

// One macro turned into its image.
struct EncodedMacro
{
    DeviceImage image{};
    bool cut = false;
};

EncodedMacro encodeMacro(const MacroSource& macro);

// What the encoder needs of the section `name`. Items the section does not hold read as
// empty lines; a run of them is kept as one, which encodes the same, so a huge ItemCount
// costs nothing.
MacroSource readMacroSource(const IniDocument& record, std::string_view name);

// The image of the section `name`, read the way the mouse's images have always been
// made: a delay option other than 0 takes the pauses from the delay lines, without it
// every event is followed by 50 ms unless a delay line says otherwise; the loop count
// counts only with the loop option on; a macro without items is all zero.
EncodedMacro encodeMacroSection(const IniDocument& record, std::string_view name);

// The twelve macro slots of the mouse, filled from record.ini's sections in file order.
struct MacroImages
{
    std::array<DeviceImage, kMacroSlotCount> images{};
    // The macros whose events did not all fit in their image, in slot order.
    std::vector<std::string> cutMacros;
};

// Every slot is written: slots without a macro (a file without sections, a missing file
// read as an empty document) are all zero, so a deleted macro never lingers in the mouse.
// Sections after the twelfth have no slot and are not encoded.
MacroImages encodeAll(const IniDocument& record);

} // namespace volantra
