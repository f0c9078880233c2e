#include "pages/dpi_stage_rules.h"

#include "model/setting_rules.h"
#include "model/settings_record.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace volantra {
namespace {

using setting_rules::kDpi;
using setting_rules::kDpiSteps;

// Left edges of the four stages' bars and value boxes; the rows are shared.
constexpr std::array<int, DpiStageRules::kStageCount> kBarLefts{41, 91, 151, 201};
constexpr std::array<int, DpiStageRules::kStageCount> kValueBoxLefts{26, 76, 136, 186};
constexpr int kBarWidth = 10;
constexpr int kBarTop = 38;
constexpr int kBarBottom = 151;
constexpr int kValueBoxWidth = 40;
constexpr int kValueBoxTop = 168;
constexpr int kValueBoxBottom = 184;
constexpr int kColourBoxWidth = 10;
constexpr int kColourBoxTop = 203;
constexpr int kColourBoxBottom = 213;
// The bar image's lowest step sits this many rows above the bar's bottom edge.
constexpr int kBarFoot = 3;
// Typed digits beyond this cannot change the limited result; stops overflow.
constexpr long kTypedCeiling = 1'000'000;

std::size_t checkedStage(std::size_t stage)
{
    if (stage >= DpiStageRules::kStageCount)
        throw std::out_of_range("DPI stage");
    return stage;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

Rect DpiStageRules::levelBar(std::size_t stage)
{
    const int left = kBarLefts[checkedStage(stage)];
    return {left, kBarTop, left + kBarWidth, kBarBottom};
}

Rect DpiStageRules::valueBox(std::size_t stage)
{
    const int left = kValueBoxLefts[checkedStage(stage)];
    return {left, kValueBoxTop, left + kValueBoxWidth, kValueBoxBottom};
}

Rect DpiStageRules::colourBox(std::size_t stage)
{
    const int left = kBarLefts[checkedStage(stage)];
    return {left, kColourBoxTop, left + kColourBoxWidth, kColourBoxBottom};
}

std::optional<std::size_t> DpiStageRules::barAt(int x, int y)
{
    for (std::size_t stage = 0; stage < kStageCount; ++stage) {
        if (levelBar(stage).contains(x, y))
            return stage;
    }
    return std::nullopt;
}

std::optional<std::size_t> DpiStageRules::colourBoxAt(int x, int y)
{
    for (std::size_t stage = 0; stage < kStageCount; ++stage) {
        if (colourBox(stage).contains(x, y))
            return stage;
    }
    return std::nullopt;
}

std::uint8_t DpiStageRules::stepAtHeight(int y)
{
    const int rowsAboveFoot = kBarBottom - y - kBarFoot;
    // Below the lowest step the bar image would show 50 DPI, which the stage cannot hold:
    // the press gives the lowest value the stage can hold, so the bar shows what is stored.
    if (rowsAboveFoot < 0)
        return static_cast<std::uint8_t>(kDpiSteps.lowest);
    return static_cast<std::uint8_t>(std::min(rowsAboveFoot + 2, kDpiSteps.highest));
}

std::uint8_t DpiStageRules::shownStep(std::uint8_t stored)
{
    return static_cast<std::uint8_t>(kDpiSteps.nearest(stored));
}

std::string DpiStageRules::barImage(std::uint8_t stored)
{
    return "/DPISetting/DPIStage/" + std::to_string(shownStep(stored)) + ".png";
}

std::string DpiStageRules::stageText(std::uint8_t stored)
{
    return std::to_string(setting_rules::dpiOfStep(shownStep(stored)));
}

int DpiStageRules::typedDpi(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = std::min(value * 10 + (text[at] - '0'), kTypedCeiling);
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long>(value, kDpi.lowest, kDpi.highest));
}

std::uint8_t DpiStageRules::stepForTypedText(std::string_view text)
{
    return static_cast<std::uint8_t>(typedDpi(text) / setting_rules::kDpiPerStep);
}

bool DpiStageRules::commitTypedText(SettingsRecord& record, std::size_t stage,
                                    std::string_view text)
{
    const std::uint8_t step = stepForTypedText(text);
    if (record.dpiStage(checkedStage(stage)) == step)
        return false;
    record.setDpiStage(stage, step);
    return true;
}

bool DpiStageRules::press(SettingsRecord& record, int x, int y)
{
    m_dragged = barAt(x, y);
    return m_dragged && drag(record, y);
}

bool DpiStageRules::drag(SettingsRecord& record, int y)
{
    if (!m_dragged)
        return false;
    const std::uint8_t step = stepAtHeight(y);
    if (record.dpiStage(*m_dragged) == step)
        return false;
    record.setDpiStage(*m_dragged, step);
    return true;
}

} // namespace volantra
