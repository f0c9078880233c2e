#include "assign/single_key_capture.h"

#include "assign/key_table.h"

namespace volantra {

void SingleKeyCapture::keyEvent(const CapturedKeyEvent& event)
{
    if (event.autoRepeat)
        return;
    m_caught = std::string(event.name.value_or(std::string_view{}));
}

std::string_view SingleKeyCapture::shownName() const
{
    return m_caught ? std::string_view(*m_caught) : std::string_view{};
}

CapturePrompt SingleKeyCapture::prompt() const
{
    if (m_caught && keyNameToUsage(*m_caught) == 0)
        return CapturePrompt::CannotAssign;
    return CapturePrompt::EnterKey;
}

std::optional<SingleKeyChoice> SingleKeyCapture::ok() const
{
    if (!m_caught)
        return std::nullopt;
    const std::uint8_t usage = keyNameToUsage(*m_caught);
    if (usage == 0)
        return std::nullopt;
    return SingleKeyChoice{*m_caught, usage};
}

} // namespace volantra
