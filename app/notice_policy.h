#pragma once

#include <iostream>
#include <set>
#include <string>
#include <string_view>

namespace volantra {

// Keeps failures that repeat from piling up message boxes: pointer settings that fail at
// every Apply, a missing profile file, a skin image missing at every redraw. The first
// report of a cause in a run is written to the log (standard error in the program) and
// shown; later reports of that cause are dropped, as the user has already been told.
class NoticePolicy
{
public:
    explicit NoticePolicy(std::ostream& log = std::cerr) : m_log(log) {}

    // Logs the message and returns true the first time `cause` is reported; the caller
    // shows its box only then.
    bool report(std::string_view cause, std::string_view message);
    // The message is its own cause.
    bool report(std::string_view message) { return report(message, message); }

    bool wasReported(std::string_view cause) const;

private:
    std::ostream& m_log;
    std::set<std::string, std::less<>> m_reported;
};

} // namespace volantra
