#include "assign/combo_key_capture.h"

#include "assign/key_table.h"

namespace volantra {

void ComboKeyCapture::keyEvent(std::optional<ComboKeyField> focused, const CapturedKeyEvent& event)
{
    if (event.autoRepeat || !focused || m_listOpen)
        return;
    m_keys[static_cast<std::size_t>(*focused)] =
        std::string(event.name.value_or(std::string_view{}));
    m_refusedEmpty = false;
}

void ComboKeyCapture::chooseModifier(std::size_t index)
{
    const auto modifiers = modifierNameTable();
    if (index >= modifiers.size())
        return;
    m_modifier = std::string(modifiers[index].name);
    m_listOpen = false;
    m_refusedEmpty = false;
}

std::string_view ComboKeyCapture::shownName(ComboKeyField field) const
{
    const std::optional<std::string>& key = caught(field);
    return key ? std::string_view(*key) : std::string_view{};
}

bool ComboKeyCapture::holdsUnassignableKey() const
{
    for (const std::optional<std::string>& key : m_keys) {
        if (key && keyNameToUsage(*key) == 0)
            return true;
    }
    return false;
}

bool ComboKeyCapture::isEmpty() const
{
    return m_modifier.empty() && !m_keys[0] && !m_keys[1];
}

CapturePrompt ComboKeyCapture::prompt() const
{
    if (holdsUnassignableKey())
        return CapturePrompt::CannotAssign;
    if (m_refusedEmpty)
        return CapturePrompt::EnterKey;
    return CapturePrompt::None;
}

std::optional<ComboKeyChoice> ComboKeyCapture::ok()
{
    if (holdsUnassignableKey())
        return std::nullopt;
    if (isEmpty()) {
        m_refusedEmpty = true;
        return std::nullopt;
    }
    ComboKeyChoice choice;
    choice.modifierName = m_modifier;
    choice.modifierMask = modifierNameToMask(m_modifier);
    if (const auto& first = caught(ComboKeyField::First)) {
        choice.firstKeyName = *first;
        choice.firstKeyUsage = keyNameToUsage(*first);
    }
    if (const auto& second = caught(ComboKeyField::Second)) {
        choice.secondKeyName = *second;
        choice.secondKeyUsage = keyNameToUsage(*second);
    }
    return choice;
}

} // namespace volantra
