#pragma once

#include "common/atomic_file_writer.h"
#include "common/result.h"
#include "device/device_images.h"
#include "macro/macro_definition.h"
#include "model/ini_file.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// The user's macros in record.ini: one section per macro, in the order of the mouse's
// macro slots, so a macro's place in the file is what the mouse buttons refer to. Every
// change is saved at once in one atomic write, and keeps the other macros where they are.
//
// Names are checked where they are entered (add, rename, a first save): a name the file
// could not give back, or one that would make two macros indistinguishable, is refused
// with a message the user can act on instead of being cut or accepted.
class MacroStore
{
public:
    static constexpr std::size_t kMaxMacros = kMacroSlotCount;
    // Names have always been read into 32-character buffers.
    static constexpr std::size_t kMaxNameLength = 31;
    // The mouse plays at most 63 key events of a macro, with a pause line after each; a
    // macro of more lines than this was not made for it, and is not read (a list of
    // hundreds of thousands of lines would freeze the manager).
    static constexpr std::int64_t kMaxItems = 1000;

    // Reads the file; a missing file is an empty store (the first change creates it).
    static Result<MacroStore> open(std::string path, AtomicFileWriter& writer);

    // The store of a file already read, as IniFile::fromBytes made it.
    static MacroStore fromFile(IniFile file) { return MacroStore(std::move(file)); }

    const std::string& path() const { return m_file.path(); }
    const IniDocument& document() const { return m_file.document(); }

    // Every macro name, in file order (only the first twelve have a slot in the mouse).
    std::vector<std::string> listMacros() const;
    bool hasMacro(std::string_view name) const;

    // NotFound when there is no such macro. Items run to ItemCount, and those the file
    // does not hold read as empty lines, so a save keeps the count. InvalidInput, naming
    // the macro, the count and the file, when ItemCount is above kMaxItems.
    Result<MacroDefinition> loadMacro(std::string_view name) const;

    // A new, empty macro at the end with loop count 1, as the New command makes it.
    Status addMacro(std::string_view name);
    // Makes the section hold exactly the definition's keys, in place; a macro not yet in
    // the file is added at the end (with the checks of addMacro). An empty event list is
    // saved as ItemCount 0, so the file says what the editor shows.
    Status saveMacro(const MacroDefinition& definition);
    // The loop count as typed (validLoopTimes), under the macro's section; adds the macro
    // when it is not in the file yet.
    Status writeLoopTimes(std::string_view name, long long value);
    // Gives the macro a new name where it stands, keys and slot unchanged.
    Status renameMacro(std::string_view from, std::string_view to);
    Status deleteMacro(std::string_view name);
    // Puts the file back as IniFile::readBytes found it (no file when there was none).
    Status restore(const std::optional<std::vector<std::uint8_t>>& bytes)
    {
        return m_file.restore(bytes);
    }

    // Why `name` cannot be given to a macro (other than `renaming`, the macro being
    // renamed), or OK: blank, already used (ASCII case ignored), longer than 31
    // characters, with "[" or "]", control characters or surrounding white space.
    Status checkName(std::string_view name, std::string_view renaming = {}) const;

private:
    explicit MacroStore(IniFile file) : m_file(std::move(file)) {}
    Status checkNewMacro(std::string_view name) const;

    IniFile m_file;
};

// The name New gives the next macro: prefix + "_" + one more than the largest number of
// the names of that form (prefix, "_", digits; ASCII case ignored), or + "_" + the count
// when no name has that form, so it never repeats a name in use. "Macro numbers up to
// 12." with twelve macros.
Result<std::string> nextMacroName(const std::vector<std::string>& names, std::string_view prefix);

} // namespace volantra
