#pragma once

#include "common/result.h"

#include <cstdint>
#include <span>
#include <string>

namespace volantra {

// Replaces whole files so that a crash, a full disk or a failed write never leaves a
// half-written settings file behind: readers see either the old contents or the new ones.
// The core saves through this interface; the platform layer supplies the implementation.
class AtomicFileWriter
{
public:
    virtual ~AtomicFileWriter() = default;

    // Makes `bytes` the contents of the file at `path`, creating it if needed. On failure
    // the old file is unchanged and the error names `path` and the reason.
    virtual Status writeFile(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
    // Puts the file at `from` in the place of `to` (both in one folder) in one step and
    // makes that durable: `to` is then either as it was or the whole of `from`.
    virtual Status moveOver(const std::string& from, const std::string& to) = 0;
};

} // namespace volantra
