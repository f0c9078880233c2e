#include "editing/default_item_names.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

SettingsRecord recordWithKinds(std::array<std::uint8_t, 8> kinds)
{
    SettingsRecord record;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        ButtonParameters button = record.button(i);
        button.kind = kinds[i];
        record.setButton(i, button);
    }
    return record;
}

TEST(DefaultItemNamesTest, OnlyEmptyNamesGetTheMenuTextOfTheButtonsFunction)
{
    const SettingsRecord record = recordWithKinds({0, 1, 10, 12, 13, 200, 6, 0});
    struct Case
    {
        Language language;
        ProfileStore::ItemNames before;
        ProfileStore::ItemNames after;
    } cases[] = {
        {Language::English,
         {"", "", "", "", "", "", "", "Mine"},
         {"Click", "Menu", "Single Key", "Macro Key", "Button Off", "", "CPI Cycle", "Mine"}},
        {Language::SimplifiedChinese,
         {"", "Keep", "", "", "", "", "", ""},
         {std::string(LanguageTable::forLanguage(Language::SimplifiedChinese).text("Click")),
          "Keep",
          std::string(LanguageTable::forLanguage(Language::SimplifiedChinese).text("Single Key")),
          std::string(LanguageTable::forLanguage(Language::SimplifiedChinese).text("Macro Key")),
          std::string(LanguageTable::forLanguage(Language::SimplifiedChinese).text("Button Off")),
          "",
          std::string(LanguageTable::forLanguage(Language::SimplifiedChinese).text("CPI Cycle")),
          std::string(LanguageTable::forLanguage(Language::SimplifiedChinese).text("Click"))}},
    };
    for (const Case& c : cases) {
        ProfileStore::ItemNames names = c.before;
        fillDefaultItemNames(names, record, LanguageTable::forLanguage(c.language));
        EXPECT_EQ(names, c.after);
    }
}

} // namespace
} // namespace volantra
