#include "pages/unsupported_setting_notice.h"

#include <algorithm>
#include <vector>

namespace volantra {

std::string UnsupportedSettingNotice::take(const PointerReport& report)
{
    std::vector<std::string> reasons;
    for (PointerSetting setting : kPointerSettings) {
        const SettingOutcome& outcome = report[setting];
        bool& told = m_told[static_cast<std::size_t>(setting)];
        if (!outcome.isUnsupported() || told)
            continue;
        told = true;
        // A desktop without any of the settings gives one reason for all of them.
        if (std::find(reasons.begin(), reasons.end(), outcome.message()) == reasons.end())
            reasons.push_back(outcome.message());
    }
    if (reasons.empty())
        return {};
    std::string notice;
    for (const std::string& reason : reasons)
        notice += reason + '\n';
    return notice + kKeptInProfile;
}

} // namespace volantra
