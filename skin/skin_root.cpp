#include "skin/skin_root.h"

namespace volantra {

bool SkinRoot::isPlainFolderName(std::string_view name)
{
    if (name == "." || name == "..")
        return false;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F)
            return false;
    }
    return true;
}

SkinRoot SkinRoot::forProfile(std::string_view directory, std::string_view pathValue)
{
    if (!isPlainFolderName(pathValue))
        return defaultSkin(directory);
    std::string root(directory);
    root += kSkinsFolder;
    root += pathValue;
    return SkinRoot(std::move(root));
}

SkinRoot SkinRoot::defaultSkin(std::string_view directory)
{
    return forProfile(directory, kDefaultSkin);
}

std::string SkinRoot::image(std::string_view relativePath) const
{
    std::string path = m_root;
    path += relativePath;
    return path;
}

} // namespace volantra
