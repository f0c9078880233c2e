#pragma once

#include <string_view>

namespace volantra {

// The three languages of the user interface.
enum class Language { English, SimplifiedChinese, TraditionalChinese };

// One user-interface text in each language, UTF-8.
struct LocalizedText
{
    std::string_view english;
    std::string_view simplifiedChinese;
    std::string_view traditionalChinese;

    constexpr std::string_view in(Language language) const
    {
        switch (language) {
        case Language::SimplifiedChinese:
            return simplifiedChinese;
        case Language::TraditionalChinese:
            return traditionalChinese;
        case Language::English:
            break;
        }
        return english;
    }
};

// The language code of the profile list: "CHS" and "CHT" choose Chinese; any other code,
// empty included, English.
constexpr Language languageFromCode(std::string_view code)
{
    if (code == "CHS")
        return Language::SimplifiedChinese;
    if (code == "CHT")
        return Language::TraditionalChinese;
    return Language::English;
}

} // namespace volantra
