#pragma once

#include "common/language.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace volantra {

// Where a text is shown, for the few English texts that stand for two entries with
// different translations. Every other entry is General.
enum class TextContext : std::uint8_t {
    General,
    DpiHeading,       // "DPI Setting" as the heading over the stages (General: the section title)
    MacroEditorGroup, // "Mouse Speed", "Scroll Speed", "Double Click Speed", "Default" of the
                      // macro editor's group
    ProfileManager,   // "Delete" of the profile manager's menu (General: the macro editor's)
};

// One user-interface text, named by its English text (and context).
struct LanguageEntry
{
    LocalizedText text;
    TextContext context = TextContext::General;
};

// The user-interface texts of one language: the main window's, its notices and message
// boxes, the tray menu, and the texts of the macro editor, the profile manager and the help
// window. Each text is looked up by its English text. The button-function submenus and the
// key dialogs keep their texts beside their rules (assign/function_submenus.h,
// assign/capture_dialog_texts.h) and are not repeated here.
class LanguageTable
{
public:
    static const LanguageTable& forLanguage(Language language);
    // "CHS" and "CHT" choose Chinese, any other code (empty included) English; the
    // comparison is exact, so "chs" is English.
    static const LanguageTable& forCode(std::string_view languageCode);

    // Every entry with its three texts, in the order the program's panels list them.
    static std::span<const LanguageEntry> entries();

    Language language() const { return m_language; }

    // The text of the entry in this language. An unknown entry gives the English text
    // itself: a label then still reads in English instead of going blank, and the tests
    // check that every text the program uses has an entry.
    std::string_view text(std::string_view english,
                          TextContext context = TextContext::General) const;
    bool contains(std::string_view english, TextContext context = TextContext::General) const;

    // The INI section that keeps the button labels of this language ("Setting-EN", ...).
    std::string_view itemSection() const { return text("Setting-EN"); }

private:
    explicit LanguageTable(Language language);

    const LanguageEntry* find(std::string_view english, TextContext context) const;

    Language m_language;
    std::vector<const LanguageEntry*> m_sorted; // by context, then English text
};

} // namespace volantra
