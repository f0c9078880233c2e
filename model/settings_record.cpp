#include "model/settings_record.h"

#include <algorithm>
#include <stdexcept>

namespace volantra {
namespace {

constexpr std::size_t kColourSize = 3;
// Byte order of a colour triple inside the record.
constexpr std::size_t kRedByte = 0;
constexpr std::size_t kBlueByte = 1;
constexpr std::size_t kGreenByte = 2;

std::size_t checkedIndex(std::size_t index, std::size_t count, const char* what)
{
    if (index >= count)
        throw std::out_of_range(what);
    return index;
}

} // namespace

void SettingsRecord::takeSettingsFrom(const SettingsRecord& source)
{
    std::copy_n(source.m_bytes.begin(), kSettingsSize, m_bytes.begin());
}

std::uint8_t SettingsRecord::dpiStage(std::size_t index) const
{
    return m_bytes[kDpiStages + checkedIndex(index, kDpiStageCount, "DPI stage")];
}

void SettingsRecord::setDpiStage(std::size_t index, std::uint8_t value)
{
    m_bytes[kDpiStages + checkedIndex(index, kDpiStageCount, "DPI stage")] = value;
}

StageColour SettingsRecord::stageColour(std::size_t index) const
{
    const std::size_t at =
        kStageColours + kColourSize * checkedIndex(index, kDpiStageCount, "stage colour");
    return {.red = m_bytes[at + kRedByte],
            .green = m_bytes[at + kGreenByte],
            .blue = m_bytes[at + kBlueByte]};
}

void SettingsRecord::setStageColour(std::size_t index, StageColour colour)
{
    const std::size_t at =
        kStageColours + kColourSize * checkedIndex(index, kDpiStageCount, "stage colour");
    m_bytes[at + kRedByte] = colour.red;
    m_bytes[at + kGreenByte] = colour.green;
    m_bytes[at + kBlueByte] = colour.blue;
}

std::uint8_t SettingsRecord::lightingLevel(std::size_t index) const
{
    return m_bytes[kLightingLevels + checkedIndex(index, kLightingLevelCount, "lighting level")];
}

void SettingsRecord::setLightingLevel(std::size_t index, std::uint8_t value)
{
    m_bytes[kLightingLevels + checkedIndex(index, kLightingLevelCount, "lighting level")] = value;
}

std::uint8_t& SettingsRecord::buttonByte(std::size_t base, std::size_t index)
{
    return m_bytes[base + checkedIndex(index, kButtonCount, "button")];
}

std::uint8_t SettingsRecord::buttonByte(std::size_t base, std::size_t index) const
{
    return m_bytes[base + checkedIndex(index, kButtonCount, "button")];
}

ButtonParameters SettingsRecord::button(std::size_t index) const
{
    return {
        .kind = buttonByte(kButtonKinds, index),
        .scrollChoice = buttonByte(kScrollChoices, index),
        .dpiChoice = buttonByte(kDpiChoices, index),
        .multimediaUsage = buttonByte(kMultimediaUsages, index),
        .windowsChoice = buttonByte(kWindowsChoices, index),
        .hotKeyUsage = buttonByte(kHotKeyUsages, index),
        .singleKeyUsage = buttonByte(kSingleKeyUsages, index),
        .comboModifiers = buttonByte(kComboModifiers, index),
        .comboFirstKey = buttonByte(kComboFirstKeys, index),
        .comboSecondKey = buttonByte(kComboSecondKeys, index),
        .macroPosition = buttonByte(kMacroPositions, index),
        .macroRepeatMode = buttonByte(kMacroRepeatModes, index),
    };
}

void SettingsRecord::setButton(std::size_t index, const ButtonParameters& parameters)
{
    buttonByte(kButtonKinds, index) = parameters.kind;
    buttonByte(kScrollChoices, index) = parameters.scrollChoice;
    buttonByte(kDpiChoices, index) = parameters.dpiChoice;
    buttonByte(kMultimediaUsages, index) = parameters.multimediaUsage;
    buttonByte(kWindowsChoices, index) = parameters.windowsChoice;
    buttonByte(kHotKeyUsages, index) = parameters.hotKeyUsage;
    buttonByte(kSingleKeyUsages, index) = parameters.singleKeyUsage;
    buttonByte(kComboModifiers, index) = parameters.comboModifiers;
    buttonByte(kComboFirstKeys, index) = parameters.comboFirstKey;
    buttonByte(kComboSecondKeys, index) = parameters.comboSecondKey;
    buttonByte(kMacroPositions, index) = parameters.macroPosition;
    buttonByte(kMacroRepeatModes, index) = parameters.macroRepeatMode;
}

std::uint8_t SettingsRecord::buttonKind(std::size_t index) const
{
    return buttonByte(kButtonKinds, index);
}

void SettingsRecord::setButtonKind(std::size_t index, std::uint8_t kind)
{
    buttonByte(kButtonKinds, index) = kind;
}

DeviceImage SettingsRecord::macroImage(std::size_t index) const
{
    const std::size_t at =
        kMacroImages + kImageSize * checkedIndex(index, kMacroSlotCount, "macro");
    DeviceImage image{};
    std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(at), kImageSize, image.begin());
    return image;
}

void SettingsRecord::setMacroImage(std::size_t index, const DeviceImage& image)
{
    const std::size_t at =
        kMacroImages + kImageSize * checkedIndex(index, kMacroSlotCount, "macro");
    std::copy(image.begin(), image.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace volantra
