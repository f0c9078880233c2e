#pragma once

#include "common/atomic_file_writer.h"

namespace volantra {

// Atomic file replacement with the Windows calls: the bytes go to a new file beside the
// target, FlushFileBuffers puts them on the disk, and MoveFileExW(MOVEFILE_REPLACE_EXISTING
// | MOVEFILE_WRITE_THROUGH) puts the new file in the target's place, so the target is
// always the old file or the new one, whole; on every failure the new file is deleted. Paths are
// UTF-8 and may use either slash.
class WindowsAtomicFileWriter final : public AtomicFileWriter
{
public:
    Status writeFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    Status moveOver(const std::string& from, const std::string& to) override;
};

} // namespace volantra
