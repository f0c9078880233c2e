#pragma once

#include <string>
#include <string_view>

namespace volantra {

// The folder the skin images are read from: <data directory>/Skins/<Path of the profile
// INI>. Image paths are the root followed by a relative path that starts with "/", joined
// as they stand, so an empty Path gives ".../Skins//main.png", which the file system
// accepts.
class SkinRoot
{
public:
    static constexpr const char* kSkinsFolder = "/Skins/";
    static constexpr const char* kDefaultSkin = "Default";

    SkinRoot() = default;
    explicit SkinRoot(std::string root) : m_root(std::move(root)) {}

    // The skin named by `pathValue` under `directory`. The value comes from a file the
    // user may edit, so only a plain folder name is taken (or an empty one); anything
    // that could leave the Skins folder gives the default skin instead.
    static SkinRoot forProfile(std::string_view directory, std::string_view pathValue);
    static SkinRoot defaultSkin(std::string_view directory);
    static bool isPlainFolderName(std::string_view name);

    const std::string& path() const { return m_root; }
    std::string image(std::string_view relativePath) const;

    friend bool operator==(const SkinRoot&, const SkinRoot&) = default;

private:
    std::string m_root;
};

} // namespace volantra
