#include "model/profile_list.h"

namespace volantra {

ProfileList ProfileList::read(const IniDocument& document)
{
    ProfileList list;
    list.m_currentName = document.readString(kSection, kCurrentNameKey, "");
    list.m_declaredCount = document.readInt(kSection, kCountKey, 0);
    if (list.isUsable()) {
        for (int i = 0; i < list.m_declaredCount; ++i)
            list.m_names.push_back(document.readString(kSection, "Item" + std::to_string(i), ""));
    }
    return list;
}

std::optional<std::uint8_t> ProfileList::currentIndex() const
{
    const std::optional<std::size_t> index = findCurrent(m_names, m_currentName);
    if (!index)
        return std::nullopt;
    return static_cast<std::uint8_t>(*index);
}

std::optional<std::size_t> ProfileList::findCurrent(std::span<const std::string> names,
                                                    std::string_view currentName)
{
    std::optional<std::size_t> index;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == currentName)
            index = i;
    }
    return index;
}

} // namespace volantra
