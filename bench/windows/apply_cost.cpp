// Host-side cost of one Apply on the simulated mouse for the Windows build (run under
// wine), with the mouse's waits counted instead of slept, as bench/apply_bench measures it
// on Linux. Google Benchmark is not built for Windows here, so this is a plain timed loop.
// Usage: apply_cost.exe [ITERATIONS]
#include "device/device_commands.h"
#include "device/device_link.h"
#include "device/sleeper.h"
#include "platform/platform_waker.h"
#include "platform/sim/simulated_backend.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    using namespace volantra;
    const int iterations = argc > 1 ? std::atoi(argv[1]) : 2000;
    SimulatedBackend simulator;
    CountingSleeper waits;
    auto waker = PlatformWaker::create();
    if (!waker)
        return 1;
    DeviceLink link(simulator, waits, **waker);
    simulator.addMouse();
    if (!link.discover())
        return 1;
    DeviceImages images;
    for (std::size_t i = 0; i < kImageSize; ++i)
        images.config[i] = static_cast<std::uint8_t>(i);

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < iterations; ++i)
        if (!link.commands()->apply(images))
            return 1;
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    std::printf("apply: %.1f us host-side per Apply (%d iterations), %.0f ms of mouse waits "
                "counted per Apply\n",
                spent.count() / iterations, iterations,
                static_cast<double>(waits.total().count()) / iterations);
    return 0;
}
