#include "model/record_check.h"

namespace volantra {
namespace {

void checkRange(std::vector<std::string>& problems, const std::string& what, int value, int low,
                int high)
{
    if (value < low || value > high)
        problems.push_back(what + " holds " + std::to_string(value) + " (" + std::to_string(low) +
                           " to " + std::to_string(high) + " expected)");
}

} // namespace

std::vector<std::string> settingsTheMouseRefuses(const SettingsRecord& record)
{
    std::vector<std::string> problems;
    const int interval = record.reportInterval();
    if (interval != 1 && interval != 2 && interval != 4 && interval != 8)
        problems.push_back("the report interval holds " + std::to_string(interval) +
                           " ms (1, 2, 4 or 8 expected: 1000, 500, 250 or 125 reports a second)");
    for (std::size_t stage = 0; stage < SettingsRecord::kDpiStageCount; ++stage) {
        const int stored = record.dpiStage(stage);
        if (stored < 2 || stored > 100)
            problems.push_back("DPI stage " + std::to_string(stage + 1) + " holds " +
                               std::to_string(stored * 50) + " DPI (100 to 5000 expected)");
    }
    checkRange(problems, "the lighting mode", record.lightingMode(), 0, 3);
    for (std::size_t level = 0; level < SettingsRecord::kLightingLevelCount; ++level)
        checkRange(problems, "lighting level " + std::to_string(level + 1),
                   record.lightingLevel(level), 1, 6);
    checkRange(problems, "the angle snap", record.angleSnapLevel(), 1, 10);
    checkRange(problems, "the X sensitivity", record.xSensitivity(), 1, 11);
    checkRange(problems, "the Y sensitivity", record.ySensitivity(), 1, 11);
    return problems;
}

} // namespace volantra
