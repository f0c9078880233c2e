#pragma once

#include "common/language_table.h"
#include "model/profile_store.h"
#include "model/settings_record.h"

namespace volantra {

// A profile that was never saved has no names for its buttons yet: each empty name gets
// the menu text of the button's function in the language. Names the user gave stay, and
// nothing is written: the names reach the profile with the next Apply.
void fillDefaultItemNames(ProfileStore::ItemNames& names, const SettingsRecord& record,
                          const LanguageTable& language);

} // namespace volantra
