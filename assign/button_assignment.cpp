#include "assign/button_assignment.h"

#include "model/function_submenus.h"

namespace volantra {
namespace {

std::string joinedLabel(std::string_view entryText, std::string_view detail)
{
    std::string label(entryText);
    label += '-';
    label += detail;
    return label;
}

ButtonParameters withKind(ButtonParameters parameters, ButtonFunctionKind kind)
{
    parameters.kind = static_cast<std::uint8_t>(kind);
    return parameters;
}

} // namespace

std::optional<ButtonAssignment> assignFunction(const ButtonParameters& current, std::size_t entry,
                                               std::string_view entryText)
{
    if (entry >= kButtonFunctionCatalogue.size())
        return std::nullopt;
    const ButtonFunctionEntry& function = kButtonFunctionCatalogue[entry];
    if (function.style != ChoiceStyle::Immediate)
        return std::nullopt;
    return ButtonAssignment{withKind(current, function.kind), std::string(entryText)};
}

std::optional<ButtonAssignment> assignSubmenuEntry(const ButtonParameters& current,
                                                   ButtonFunctionKind owner, std::size_t index,
                                                   std::string_view entryText)
{
    ButtonParameters parameters = withKind(current, owner);
    switch (owner) {
    case ButtonFunctionKind::ScrollSelect:
        if (index >= kScrollChoices.size())
            return std::nullopt;
        parameters.scrollChoice = kScrollChoices[index].value;
        break;
    case ButtonFunctionKind::DpiCycle:
        if (index >= kDpiChoices.size())
            return std::nullopt;
        parameters.dpiChoice = kDpiChoices[index].value;
        break;
    case ButtonFunctionKind::Multimedia:
        if (index >= kMultimediaChoices.size())
            return std::nullopt;
        parameters.multimediaUsage = kMultimediaChoices[index].usage;
        break;
    case ButtonFunctionKind::HotKey:
        if (index >= kHotKeyChoices.size())
            return std::nullopt;
        parameters.hotKeyUsage = kHotKeyChoices[index].usage;
        break;
    case ButtonFunctionKind::Windows:
        if (index >= kWindowsChoices.size())
            return std::nullopt;
        parameters.windowsChoice = static_cast<std::uint8_t>(index);
        break;
    default:
        return std::nullopt;
    }
    return ButtonAssignment{parameters, std::string(entryText)};
}

ButtonAssignment assignSingleKey(const ButtonParameters& current, std::string_view entryText,
                                 const SingleKeyChoice& choice)
{
    ButtonParameters parameters = withKind(current, ButtonFunctionKind::SingleKey);
    parameters.singleKeyUsage = choice.usage;
    return {parameters, joinedLabel(entryText, choice.name)};
}

ButtonAssignment assignComboKey(const ButtonParameters& current, std::string_view entryText,
                                const ComboKeyChoice& choice)
{
    ButtonParameters parameters = withKind(current, ButtonFunctionKind::ComboKey);
    parameters.comboModifiers = choice.modifierMask;
    parameters.comboFirstKey = choice.firstKeyUsage;
    parameters.comboSecondKey = choice.secondKeyUsage;

    // Only the parts the mouse receives appear in the label.
    std::string parts;
    auto add = [&parts](std::string_view part) {
        if (!parts.empty())
            parts += '+';
        parts += part;
    };
    if (choice.modifierMask != 0)
        add(choice.modifierName);
    if (choice.firstKeyUsage != 0)
        add(choice.firstKeyName);
    if (choice.secondKeyUsage != 0)
        add(choice.secondKeyName);
    return {parameters, joinedLabel(entryText, parts)};
}

ButtonAssignment assignMacroKey(const ButtonParameters& current, std::string_view entryText,
                                const MacroKeyChoice& choice)
{
    ButtonParameters parameters = withKind(current, ButtonFunctionKind::MacroKey);
    parameters.macroPosition = choice.position;
    parameters.macroRepeatMode = choice.repeatMode;
    return {parameters, joinedLabel(entryText, choice.name)};
}

std::vector<SubmenuEntry> submenuEntries(ButtonFunctionKind owner, Language language)
{
    std::vector<SubmenuEntry> entries;
    switch (owner) {
    case ButtonFunctionKind::ScrollSelect:
        for (const ScrollChoice& choice : kScrollChoices)
            entries.push_back({choice.languageKey, true});
        break;
    case ButtonFunctionKind::DpiCycle:
        for (const DpiChoice& choice : kDpiChoices)
            entries.push_back({choice.text, false});
        break;
    case ButtonFunctionKind::Multimedia:
        for (const MultimediaChoice& choice : kMultimediaChoices)
            entries.push_back({choice.text.in(language), false});
        break;
    case ButtonFunctionKind::HotKey:
        for (const HotKeyChoice& choice : kHotKeyChoices)
            entries.push_back({choice.text.in(language), false});
        break;
    case ButtonFunctionKind::Windows:
        for (const WindowsChoice& choice : kWindowsChoices)
            entries.push_back({choice.text.in(language), false});
        break;
    default:
        break;
    }
    return entries;
}

} // namespace volantra
