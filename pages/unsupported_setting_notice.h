#pragma once

#include "common/pointer_settings.h"

#include <array>
#include <string>

namespace volantra {

// Tells the user once that the desktop lacks some of the pointer settings, instead of
// after every Apply: the first report that finds a setting missing gives the notice for
// it, later ones stay quiet about it.
class UnsupportedSettingNotice
{
public:
    static constexpr const char* kKeptInProfile = "The profile keeps these values.";

    // The notice for the settings this report finds missing and no earlier one did: the
    // desktop's reasons, one line each, then kKeptInProfile. Empty when there is nothing new.
    std::string take(const PointerReport& report);

private:
    std::array<bool, kPointerSettings.size()> m_told{};
};

} // namespace volantra
