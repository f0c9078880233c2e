#pragma once

#include <QString>
#include <string_view>

namespace volantra {

// The core keeps its texts as UTF-8 views.
inline QString qtText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace volantra
