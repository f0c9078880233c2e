#include "editing/default_item_names.h"

#include "model/button_function.h"

namespace volantra {

void fillDefaultItemNames(ProfileStore::ItemNames& names, const SettingsRecord& record,
                          const LanguageTable& language)
{
    for (std::size_t button = 0; button < names.size(); ++button) {
        if (!names[button].empty())
            continue;
        const std::optional<ButtonFunctionKind> kind =
            buttonFunctionKindFromByte(record.button(button).kind);
        if (!kind)
            continue; // a byte no menu offers has no text to show
        const auto& entry = kButtonFunctionCatalogue[static_cast<std::size_t>(*kind)];
        names[button] = std::string(language.text(entry.englishName));
    }
}

} // namespace volantra
