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
    std::optional<std::uint8_t> index;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i] == m_currentName)
            index = static_cast<std::uint8_t>(i);
    }
    return index;
}

} // namespace volantra
