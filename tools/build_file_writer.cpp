#include "tools/build_file_writer.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace volantra {

Status BuildFileWriter::writeFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const std::string fresh = path + ".new";
    {
        std::ofstream stream(fresh, std::ios::binary | std::ios::trunc);
        stream.write(reinterpret_cast<const char*>(bytes.data()),
                     static_cast<std::streamsize>(bytes.size()));
        stream.close();
        if (!stream) {
            std::error_code ignored;
            std::filesystem::remove(fresh, ignored);
            return Error{Error::Kind::Io, path + ": cannot write the file"};
        }
    }
    std::error_code error;
    std::filesystem::rename(fresh, path, error);
    if (error) {
        std::filesystem::remove(fresh, error);
        return Error{Error::Kind::Io, path + ": cannot replace the file (" + error.message() + ")"};
    }
    return {};
}

Status BuildFileWriter::moveOver(const std::string& from, const std::string& to)
{
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error)
        return Error{Error::Kind::Io, to + ": cannot replace the file (" + error.message() + ")"};
    return {};
}

} // namespace volantra
