#include "assign/macro_key_selection.h"

namespace volantra {

MacroKeySelection::MacroKeySelection(std::vector<std::string> macroNames)
{
    list(std::move(macroNames));
}

void MacroKeySelection::list(std::vector<std::string> macroNames)
{
    if (macroNames.size() > kOfferedMacros)
        macroNames.resize(kOfferedMacros);
    m_listed = std::move(macroNames);
}

void MacroKeySelection::openList(std::vector<std::string> macroNames)
{
    list(std::move(macroNames));
    m_listOpen = true;
}

void MacroKeySelection::chooseMacro(std::size_t row)
{
    if (!m_listOpen || row >= m_listed.size())
        return;
    m_position = row;
    m_name = m_listed[row];
    m_listOpen = false;
}

void MacroKeySelection::chooseRepeatMode(std::uint8_t mode)
{
    if (mode < kRepeatModeCount)
        m_repeatMode = mode;
}

std::string_view MacroKeySelection::macroName() const
{
    return m_position ? std::string_view(m_name) : std::string_view{};
}

CapturePrompt MacroKeySelection::prompt() const
{
    if (!m_position && m_listed.empty())
        return CapturePrompt::NoMacros;
    return CapturePrompt::SelectMacro;
}

std::optional<MacroKeyChoice> MacroKeySelection::ok() const
{
    if (!m_position)
        return std::nullopt;
    return MacroKeyChoice{static_cast<std::uint8_t>(*m_position), m_repeatMode, m_name};
}

} // namespace volantra
