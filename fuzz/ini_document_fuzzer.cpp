#include "model/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

// Reads arbitrary bytes as an INI file: they must come back byte for byte, read the same
// after a round trip, and the edits the profile and macro stores make must do exactly
// what they say to the file as it is read again, leaving every other section alone.
namespace {

using volantra::IniDocument;
using volantra::IniEncoding;
using volantra::IniEntry;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

IniDocument reread(const IniDocument& document)
{
    return IniDocument::parse(document.serialize());
}

bool sameSection(const IniDocument& a, const IniDocument& b, const std::string& section)
{
    return a.entries(section) == b.entries(section);
}

// Every section except `skipped` has the same keys and values in both.
bool sameExcept(const IniDocument& a, const IniDocument& b, const std::string& skipped)
{
    const IniDocument probe = IniDocument::parse("[" + skipped + "]");
    std::vector<std::string> namesA;
    for (const std::string& name : a.sectionNames())
        if (!probe.hasSection(name))
            namesA.push_back(name);
    std::vector<std::string> namesB;
    for (const std::string& name : b.sectionNames())
        if (!probe.hasSection(name))
            namesB.push_back(name);
    if (namesA != namesB)
        return false;
    for (const std::string& name : namesA)
        if (!sameSection(a, b, name))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    const IniDocument document = IniDocument::parse(input);

    // Untouched, every byte comes back (a UTF-16 file's odd last byte holds no character).
    std::vector<std::uint8_t> expected(input.begin(), input.end());
    if (document.encoding() == IniEncoding::Utf16LeWithBom && expected.size() % 2 == 1)
        expected.pop_back();
    check(document.serialize() == expected);
    const IniDocument again = reread(document);
    check(again == document);
    const std::vector<std::string> names = document.sectionNames();
    check(again.sectionNames() == names);
    for (const std::string& name : names)
        check(sameSection(again, document, name));

    // A value made from the input, printable so that it is UTF-8 in any encoding.
    std::string value;
    for (std::size_t i = 0; i < size && value.size() < 40; ++i)
        value += static_cast<char>(' ' + data[i] % 95);
    const std::string section = names.empty() ? std::string("Fuzz") : names.front();

    IniDocument written = document;
    check(written.writeString(section, "FuzzKey", value).ok());
    const IniDocument writtenAgain = reread(written);
    check(writtenAgain.readString(section, "FuzzKey", "<missing>") == value);
    check(sameExcept(writtenAgain, document, section));

    IniDocument replaced = document;
    const std::vector<IniEntry> entries = document.entries(section);
    check(replaced.replaceSection(section, entries).ok());
    const IniDocument replacedAgain = reread(replaced);
    check(replacedAgain.entries(section) == entries);
    check(sameExcept(replacedAgain, document, section));

    IniDocument removed = document;
    check(removed.removeSection(section) == document.hasSection(section));
    const IniDocument removedAgain = reread(removed);
    check(!removedAgain.hasSection(section));
    check(sameExcept(removedAgain, document, section));

    if (!entries.empty()) {
        IniDocument withoutKey = document;
        check(withoutKey.removeKey(section, entries.front().key));
        const IniDocument withoutKeyAgain = reread(withoutKey);
        const std::vector<IniEntry> rest(entries.begin() + 1, entries.end());
        check(withoutKeyAgain.entries(section) == rest);
        check(sameExcept(withoutKeyAgain, document, section));
    }

    const std::string newName = "Fuzz renamed";
    IniDocument renamed = document;
    const volantra::Status status = renamed.renameSection(section, newName);
    if (status.ok()) {
        const IniDocument renamedAgain = reread(renamed);
        check(renamedAgain.entries(newName) == entries);
        check(IniDocument::parse("[" + section + "]").hasSection(newName) ||
              !renamedAgain.hasSection(section));
    } else {
        check(renamed == document);
    }
    return 0;
}
