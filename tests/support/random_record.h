#pragma once

#include "model/settings_record.h"

#include <random>

namespace volantra::test {

// A record with every byte drawn at random: what a damaged or foreign profile file holds.
inline SettingsRecord randomRecord(unsigned seed)
{
    std::mt19937 random(seed);
    SettingsRecord::Bytes bytes{};
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return SettingsRecord(bytes);
}

} // namespace volantra::test
