#include "model/record_check.h"

#include "model/setting_rules.h"

namespace volantra {
namespace {

void checkRange(std::vector<std::string>& problems, const std::string& what, int value,
                ValueRange range)
{
    if (!range.holds(value))
        problems.push_back(what + " holds " + std::to_string(value) + " (" +
                           std::to_string(range.lowest) + " to " + std::to_string(range.highest) +
                           " expected)");
}

} // namespace

std::vector<std::string> settingsTheMouseRefuses(const SettingsRecord& record)
{
    using namespace setting_rules;
    std::vector<std::string> problems;
    const int interval = record.reportInterval();
    if (!isReportInterval(interval))
        problems.push_back("the report interval holds " + std::to_string(interval) +
                           " ms (1, 2, 4 or 8 expected: 1000, 500, 250 or 125 reports a second)");
    for (std::size_t stage = 0; stage < SettingsRecord::kDpiStageCount; ++stage) {
        const int stored = record.dpiStage(stage);
        if (!kDpiSteps.holds(stored))
            problems.push_back("DPI stage " + std::to_string(stage + 1) + " holds " +
                               std::to_string(dpiOfStep(stored)) + " DPI (" +
                               std::to_string(kDpi.lowest) + " to " + std::to_string(kDpi.highest) +
                               " expected)");
    }
    checkRange(problems, "the lighting mode", record.lightingMode(), kLightingModes);
    for (std::size_t level = 0; level < SettingsRecord::kLightingLevelCount; ++level)
        checkRange(problems, "lighting level " + std::to_string(level + 1),
                   record.lightingLevel(level), kLightingLevels);
    checkRange(problems, "the angle snap", record.angleSnapLevel(), kAngleSnapLevels);
    checkRange(problems, "the X sensitivity", record.xSensitivity(), kSensitivityLevels);
    checkRange(problems, "the Y sensitivity", record.ySensitivity(), kSensitivityLevels);
    return problems;
}

} // namespace volantra
