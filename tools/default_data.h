#pragma once

#include "common/atomic_file_writer.h"
#include "common/result.h"
#include "model/ini_document.h"
#include "model/settings_record.h"

#include <string>

namespace volantra {

// The files a new data directory starts with: config.bin and str.ini (the defaults
// Reset returns to, and the list of named profiles), and six profiles config0.bin to
// config5.bin with str0.ini to str5.ini that all start out as the defaults.
class DefaultData
{
public:
    // The name of the one profile the list starts with.
    static constexpr const char* kFirstProfileName = "PROFILE_0";

    static SettingsRecord record();
    // A profile INI: the button names in the three languages and the skin; with the
    // profile list too for str.ini.
    static IniDocument profileIni(bool withProfileList);
    // Writes every file into `directory`, which must exist.
    static Status writeTo(const std::string& directory, AtomicFileWriter& writer);
};

} // namespace volantra
