#include "device/feature_command.h"

#include <algorithm>

namespace volantra {

FeatureCommand::FeatureCommand(std::uint8_t code, std::uint8_t arg1, std::uint8_t arg2)
{
    m_bytes[kCode] = code;
    m_bytes[kArg1] = arg1;
    m_bytes[kArg2] = arg2;
    m_bytes[kCheck] = checkByteOf(std::span(m_bytes).first(kCheck));
}

FeatureCommand FeatureCommand::fromBytes(std::span<const std::uint8_t, kSize> bytes)
{
    FeatureCommand command;
    std::copy(bytes.begin(), bytes.end(), command.m_bytes.begin());
    return command;
}

std::uint8_t FeatureCommand::checkByteOf(std::span<const std::uint8_t> firstSeven)
{
    unsigned sum = 0;
    for (std::uint8_t byte : firstSeven.first(std::min<std::size_t>(firstSeven.size(), kCheck)))
        sum += byte;
    return static_cast<std::uint8_t>(0xFF - sum);
}

FeatureCommand FeatureCommand::answeringProfile(std::uint8_t profile) const
{
    FeatureCommand answer = *this;
    answer.m_bytes[kAnsweredProfile] = profile;
    return answer.withCheckByte();
}

FeatureCommand FeatureCommand::announcingImageBytes(std::uint8_t byteCount) const
{
    FeatureCommand answer = *this;
    answer.m_bytes[kImageByteCount] = byteCount;
    return answer.withCheckByte();
}

FeatureCommand FeatureCommand::withCheckByte() const
{
    FeatureCommand command = *this;
    command.m_bytes[kCheck] = checkByteOf(std::span(m_bytes).first(kCheck));
    return command;
}

} // namespace volantra
