#include "pages/speed_dial_rules.h"

#include "model/setting_rules.h"
#include "model/settings_record.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace volantra {
namespace {

// The dial images are 142 pixels wide with their centre 71 pixels below their top edge;
// the rectangle ends 12 pixels below the centre.
constexpr int kHalfWidth = 71;
constexpr int kTopOffset = 20;
constexpr int kHeight = 83;
constexpr int kCentreDepth = 71;
constexpr int kCaptionWidth = 34;
constexpr int kCaptionHeight = 30;
// Each step of the dial covers 18 degrees of the half circle.
constexpr double kDegreesPerStep = 18.0;

} // namespace

Rect SpeedDialRules::area(int backgroundWidth)
{
    const int centreX = backgroundWidth / 2;
    return {centreX - kHalfWidth, kTopOffset, centreX + kHalfWidth, kTopOffset + kHeight};
}

Rect SpeedDialRules::slowCaption(int backgroundWidth)
{
    const Rect dial = area(backgroundWidth);
    return {dial.left - kCaptionWidth, dial.bottom - kCaptionHeight, dial.left, dial.bottom};
}

Rect SpeedDialRules::fastCaption(int backgroundWidth)
{
    const Rect dial = area(backgroundWidth);
    return {dial.right, dial.bottom - kCaptionHeight, dial.right + kCaptionWidth, dial.bottom};
}

std::optional<std::uint8_t> SpeedDialRules::valueAt(int x, int y, int backgroundWidth)
{
    const Rect dial = area(backgroundWidth);
    if (!dial.contains(x, y))
        return std::nullopt;
    const int dx = x - (dial.left + kHalfWidth);
    const int dy = y - (dial.top + kCentreDepth);
    if (dy > 0)
        return std::nullopt;
    const int squared = dx * dx + dy * dy;
    if (squared < kInnerRadius * kInnerRadius || squared > kOuterRadius * kOuterRadius)
        return std::nullopt;
    // Degrees from the right-hand horizontal over the top; atan2 also covers the left
    // horizontal (180 degrees), where a quotient of the two distances would divide by zero.
    const double degrees =
        std::atan2(static_cast<double>(-dy), static_cast<double>(dx)) * 180.0 / std::numbers::pi;
    // 0 to 180 degrees give 12 down to 2.
    return static_cast<std::uint8_t>(setting_rules::kSpeedDials.highest -
                                     degrees / kDegreesPerStep);
}

bool SpeedDialRules::click(SettingsRecord& record, Purpose purpose, int x, int y,
                           int backgroundWidth)
{
    const std::optional<std::uint8_t> value = valueAt(x, y, backgroundWidth);
    if (!value || *value == storedValue(record, purpose))
        return false;
    if (purpose == Purpose::PointerSpeed)
        record.setPointerSpeed(*value);
    else
        record.setDoubleClickSpeed(*value);
    return true;
}

std::uint8_t SpeedDialRules::storedValue(const SettingsRecord& record, Purpose purpose)
{
    return purpose == Purpose::PointerSpeed ? record.pointerSpeed() : record.doubleClickSpeed();
}

int SpeedDialRules::shownValue(std::uint8_t stored)
{
    return setting_rules::kSpeedDials.nearest(stored);
}

std::string SpeedDialRules::imagePath(std::uint8_t stored)
{
    return "/MouseAttribute/Speed/" + std::to_string(shownValue(stored)) + ".png";
}

} // namespace volantra
