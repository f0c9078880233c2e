#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace volantra {

// The eight-byte command record the mouse understands, carried in a feature report
// after the report id byte. Byte 7 is a check byte over the seven before it. The mouse
// answers a read with the command's own record, its answer in place of the arguments.
class FeatureCommand
{
public:
    static constexpr std::size_t kSize = 8;
    // The feature report: report id 0, then the record.
    static constexpr std::size_t kReportSize = 1 + kSize;
    static constexpr std::uint8_t kReportId = 0;
    static constexpr std::uint8_t kReadFlag = 0x80;

    FeatureCommand() = default;
    FeatureCommand(std::uint8_t code, std::uint8_t arg1 = 0, std::uint8_t arg2 = 0);
    static FeatureCommand fromBytes(std::span<const std::uint8_t, kSize> bytes);

    std::uint8_t code() const { return m_bytes[kCode]; }
    std::uint8_t arg1() const { return m_bytes[kArg1]; }
    std::uint8_t arg2() const { return m_bytes[kArg2]; }
    std::uint8_t check() const { return m_bytes[kCheck]; }
    bool isRead() const { return (code() & kReadFlag) != 0; }

    // The bytes of an image that follow the command (writes) or its answer (reads).
    std::uint8_t imageByteCount() const { return m_bytes[kImageByteCount]; }
    // The answer to command::kReadProfile: the mouse's profile number.
    std::uint8_t answeredProfile() const { return m_bytes[kAnsweredProfile]; }
    // The mouse's answers to this read, with their check byte.
    FeatureCommand answeringProfile(std::uint8_t profile) const;
    FeatureCommand announcingImageBytes(std::uint8_t byteCount) const;

    // (0xFF minus the sum of bytes 0 to 6) modulo 256.
    static std::uint8_t checkByteOf(std::span<const std::uint8_t> firstSeven);
    // The record with its check byte set from the other seven bytes.
    FeatureCommand withCheckByte() const;

    const std::array<std::uint8_t, kSize>& bytes() const { return m_bytes; }

    friend bool operator==(const FeatureCommand&, const FeatureCommand&) = default;

private:
    static constexpr std::size_t kCode = 0;
    static constexpr std::size_t kArg1 = 1;
    static constexpr std::size_t kArg2 = 2;
    static constexpr std::size_t kCheck = 7;
    static constexpr std::size_t kAnsweredProfile = kArg1;
    static constexpr std::size_t kImageByteCount = kArg2;

    std::array<std::uint8_t, kSize> m_bytes{};
};

// The command codes the program sends.
namespace command {
inline constexpr std::uint8_t kSetMode = 0x01;
inline constexpr std::uint8_t kSelectProfile = 0x02;
inline constexpr std::uint8_t kSetReportRate = 0x03;
inline constexpr std::uint8_t kWriteConfig = 0x0C;
inline constexpr std::uint8_t kWriteButtons = 0x0D;
inline constexpr std::uint8_t kWriteMacro = 0x0F;
inline constexpr std::uint8_t kReadProfile = 0x82;
inline constexpr std::uint8_t kReadConfig = 0x8C;
} // namespace command

} // namespace volantra
