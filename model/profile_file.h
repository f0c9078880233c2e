#pragma once

#include "common/result.h"
#include "model/settings_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace volantra {

// A profile on disk: one flag byte, then the settings record byte for byte.
class ProfileFile
{
public:
    static constexpr std::size_t kSize = 1 + SettingsRecord::kSize;
    // The flag the program writes; a delivered file with any other flag was never saved.
    static constexpr std::uint8_t kSavedFlag = 1;
    using Bytes = std::array<std::uint8_t, kSize>;

    ProfileFile() = default;
    ProfileFile(std::uint8_t flag, const SettingsRecord& record) : m_flag(flag), m_record(record) {}

    // The contents of a file; `name` only goes into the error message.
    static Result<ProfileFile> parse(std::span<const std::uint8_t> bytes, const std::string& name);
    static Result<ProfileFile> load(const std::string& path);

    // The bytes of a saved profile: the saved flag, then the record.
    static Bytes serialize(const SettingsRecord& record);

    std::uint8_t flag() const { return m_flag; }
    bool wasSaved() const { return m_flag == kSavedFlag; }
    const SettingsRecord& record() const { return m_record; }

private:
    static constexpr std::size_t kFlagOffset = 0;
    static constexpr std::size_t kRecordOffset = 1;

    std::uint8_t m_flag = 0;
    SettingsRecord m_record;
};

// The record of the profile file at `path`.
Result<SettingsRecord> loadProfileFile(const std::string& path);

} // namespace volantra
