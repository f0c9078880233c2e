#include "pages/report_rate_rules.h"

#include "model/setting_rules.h"
#include "model/settings_record.h"

#include <algorithm>

namespace volantra {
namespace {

using setting_rules::kReportRates;

} // namespace

ReportRateRules::ReportRateRules(int backgroundWidth)
{
    const int left = backgroundWidth / 2 - kOuterRadius;
    m_control = {.left = left,
                 .top = kControlTop,
                 .right = left + kControlSize,
                 .bottom = kControlTop + kControlSize};
}

std::optional<std::uint8_t> ReportRateRules::intervalAt(int x, int y) const
{
    if (!m_control.contains(x, y))
        return std::nullopt;
    const int centreX = m_control.left + m_control.width() / 2;
    const int centreY = m_control.top + m_control.height() / 2;
    const int dx = x - centreX;
    const int dy = y - centreY;
    // Squared distances: exact in integers, and the same answer as comparing radii.
    const int distanceSquared = dx * dx + dy * dy;
    if (distanceSquared > kOuterRadius * kOuterRadius ||
        distanceSquared < kInnerRadius * kInnerRadius)
        return std::nullopt;
    if (dx == 0 || dy == 0)
        return std::nullopt;
    // Screen y grows downwards. From the upper right quadrant the rates slow down
    // clockwise: 1000, 500, 250, 125 Hz.
    if (dy < 0)
        return dx > 0 ? kReportRates[0].interval : kReportRates[3].interval;
    return dx > 0 ? kReportRates[1].interval : kReportRates[2].interval;
}

bool ReportRateRules::click(SettingsRecord& record, int x, int y) const
{
    const std::optional<std::uint8_t> picked = intervalAt(x, y);
    if (!picked || *picked == record.reportInterval())
        return false;
    record.setReportInterval(*picked);
    return true;
}

std::uint8_t ReportRateRules::shownInterval(std::uint8_t stored)
{
    const auto* slowerOrEqual =
        std::find_if(kReportRates.begin(), kReportRates.end(),
                     [stored](const setting_rules::ReportRate& r) { return r.interval >= stored; });
    return slowerOrEqual != kReportRates.end() ? slowerOrEqual->interval
                                               : kReportRates.back().interval;
}

int ReportRateRules::shownRate(std::uint8_t stored)
{
    const std::uint8_t shown = shownInterval(stored);
    return std::find_if(kReportRates.begin(), kReportRates.end(),
                        [shown](const setting_rules::ReportRate& r) { return r.interval == shown; })
        ->reportsPerSecond;
}

std::string ReportRateRules::rateImage(std::uint8_t stored)
{
    return "/USBReportRate/" + std::to_string(shownRate(stored)) + "HZ.png";
}

} // namespace volantra
