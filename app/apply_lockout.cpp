#include "app/apply_lockout.h"

namespace volantra {

bool ApplyLockout::tryStart(Clock::time_point now)
{
    if (m_lastAccepted && now - *m_lastAccepted < kLockout)
        return false;
    m_lastAccepted = now;
    return true;
}

} // namespace volantra
