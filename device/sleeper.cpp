#include "device/sleeper.h"

#include <thread>

namespace volantra {

void ThreadSleeper::sleep(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

} // namespace volantra
