#pragma once

#include "common/pointer_settings.h"

#include <string>

namespace volantra {

// A desktop whose pointer settings the program cannot change: every setting is reported
// as unsupported, so the values stay in the profile and the page says so once.
class UnsupportedPointerSettings final : public PointerSettings
{
public:
    // `desktopName` as the session names it (XDG_CURRENT_DESKTOP); may be empty.
    explicit UnsupportedPointerSettings(std::string desktopName);

    std::string desktopName() const override;
    PointerReport apply(const PointerValues& values) override;

private:
    std::string m_desktopName;
};

} // namespace volantra
