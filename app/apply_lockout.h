#pragma once

#include <chrono>
#include <optional>

namespace volantra {

// Apply is ignored for two seconds after the last accepted one: the mouse is still taking
// in the images, and a second Apply would only send them again.
class ApplyLockout
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kLockout{2000};

    bool tryStart(Clock::time_point now);

private:
    std::optional<Clock::time_point> m_lastAccepted;
};

} // namespace volantra
