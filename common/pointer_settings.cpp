#include "common/pointer_settings.h"

namespace volantra {

std::vector<std::string> PointerReport::failures() const
{
    std::vector<std::string> messages;
    for (const SettingOutcome& outcome : m_outcomes)
        if (outcome.isFailed())
            messages.push_back(outcome.message());
    return messages;
}

} // namespace volantra
