#pragma once

#include "common/result.h"
#include "model/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// The named profiles of section "Profile" of str.ini: the name of the current one,
// the declared count and the names Item0 .. ItemCount-1. A profile's position in the
// list is the number of its files, config<N>.bin and str<N>.ini.
class ProfileList
{
public:
    static constexpr std::size_t kMaxProfiles = 6;
    static constexpr const char* kSection = "Profile";
    static constexpr const char* kCurrentNameKey = "CurProfileName";
    static constexpr const char* kCountKey = "ItemCount";

    static ProfileList read(const IniDocument& document);

    const std::string& currentName() const { return m_currentName; }
    // ItemCount as written in the file (0 when absent or not a number).
    int declaredCount() const { return m_declaredCount; }
    // A list of 1 to 6 profiles; any other count means there is no usable list.
    bool isUsable() const { return m_declaredCount >= 1 && m_declaredCount <= int(kMaxProfiles); }
    // The names when the list is usable, else none.
    const std::vector<std::string>& names() const { return m_names; }

    // The position of the current name: every entry is compared exactly and the last
    // one that matches wins. Nothing when the list is unusable or no entry matches.
    std::optional<std::uint8_t> currentIndex() const;

    // The one lookup of CurProfileName, shared by the store and the profile manager so
    // that both pick the same profile: exact and case-sensitive (PROFILE_1 is not
    // PROFILE_10), every entry compared, the last match wins.
    static std::optional<std::size_t> findCurrent(std::span<const std::string> names,
                                                  std::string_view currentName);

private:
    std::string m_currentName;
    int m_declaredCount = 0;
    std::vector<std::string> m_names;
};

} // namespace volantra
