#pragma once

#include "common/atomic_file_writer.h"

namespace volantra {

// Whole-file replacement for files the build makes: the bytes go to a new file beside the
// target, which is then renamed over it, so a stopped build never leaves half a file. It
// does not wait for the disk, unlike the writer of the users' settings: a file lost in a
// power cut is simply made again by the next build, and a skin has hundreds of files.
class BuildFileWriter final : public AtomicFileWriter
{
public:
    Status writeFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    Status moveOver(const std::string& from, const std::string& to) override;
};

} // namespace volantra
