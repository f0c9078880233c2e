#include "app/notice_policy.h"

namespace volantra {

bool NoticePolicy::report(std::string_view cause, std::string_view message)
{
    if (!m_reported.emplace(cause).second)
        return false;
    m_log << "volantra: " << message << '\n' << std::flush;
    return true;
}

bool NoticePolicy::wasReported(std::string_view cause) const
{
    return m_reported.contains(cause);
}

} // namespace volantra
