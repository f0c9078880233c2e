#include "model/config_block.h"

#include "model/setting_rules.h"

#include <algorithm>

namespace volantra {
namespace {

using L = ConfigBlockLayout;

constexpr std::uint8_t kSensitivityStep = 20;

enum LightingMode : std::uint8_t { Off = 0, First = 1, Second = 2, Third = 3 };

std::uint8_t byteOf(unsigned value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

void writeLighting(DeviceImage& block, const SettingsRecord& record)
{
    const std::uint8_t mode = record.lightingMode();
    block[L::kLightingMode] = mode;
    switch (mode) {
    case First:
        // The mouse has no first mode at level 1: that level is sent as mode 0.
        if (record.lightingLevel(0) == 1) {
            block[L::kLightingMode] = Off;
        } else {
            block[L::kLightingParameter] = byteOf(2u * record.lightingLevel(0));
            block[L::kLightingSubParameter] = 3;
        }
        break;
    case Second:
        block[L::kLightingParameter] = byteOf(6u - record.lightingLevel(1));
        block[L::kLightingSubParameter] = 3;
        break;
    case Third:
        block[L::kLightingParameter] = byteOf(3u * record.lightingLevel(2));
        break;
    default:
        break;
    }
}

} // namespace

DeviceImage buildConfigBlock(const SettingsRecord& record)
{
    DeviceImage block = kConfigBlockTemplate;
    block[L::kConstantA] = 1;
    block[L::kConstantB] = 0x42;
    const std::uint8_t snap = record.angleSnapLevel();
    if (snap >= 1 && snap <= kAngleSnapCodes.size())
        block[L::kAngleSnap] = kAngleSnapCodes[snap - 1];
    block[L::kConstantC] = 0x0F;

    block[L::kXSensitivity] = byteOf(kSensitivityStep * record.xSensitivity());
    block[L::kYSensitivity] = byteOf(kSensitivityStep * record.ySensitivity());

    writeLighting(block, record);

    block[L::kConstantE] = 0x0F;
    for (std::size_t stage = 0; stage < SettingsRecord::kDpiStageCount; ++stage) {
        block[L::kDpiX + stage] = record.dpiStage(stage);
        block[L::kDpiY + stage] = record.dpiStage(stage);
    }

    std::fill(block.begin() + L::kStageColours, block.end(), 0);
    for (std::size_t stage = 0; stage < SettingsRecord::kDpiStageCount; ++stage) {
        // The mouse takes the colour bytes in the record's order: red, blue, green.
        const StageColour colour = record.stageColour(stage);
        const std::size_t at = L::kStageColours + 3 * stage;
        block[at] = colour.red;
        block[at + 1] = colour.blue;
        block[at + 2] = colour.green;
    }
    block[L::kConstantD] = 4;
    return block;
}

std::optional<unsigned> stageDpiForNotice(const DeviceImage& config, int stageNumber)
{
    if (stageNumber < 1 || stageNumber > static_cast<int>(L::kReadableDpiStages))
        return std::nullopt;
    return static_cast<unsigned>(
        setting_rules::dpiOfStep(config[L::kDpiX + static_cast<std::size_t>(stageNumber - 1)]));
}

} // namespace volantra
