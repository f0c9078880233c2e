// Counts how often the event listener thread wakes up while a connected mouse sends
// nothing. It should sleep in the kernel the whole time: the expected count is 0.
#include "device/device_link.h"
#include "device/event_listener.h"
#include "device/sleeper.h"
#include "platform/event_fd_waker.h"
#include "platform/sim/simulated_backend.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

class IgnoreEvents final : public volantra::DeviceEventHandler
{
public:
    void handleDeviceEvent(volantra::DeviceEvent) override {}
};

} // namespace

int main(int argc, char** argv)
{
    using namespace volantra;
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    SimulatedBackend simulator;
    simulator.addMouse();
    CountingSleeper waits;
    auto waker = std::move(*EventFdWaker::create());
    DeviceLink link(simulator, waits, *waker);
    if (!link.discover())
        return 1;
    IgnoreEvents handler;
    EventListener listener(link, *waker, handler);
    listener.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // let it reach its read
    const auto before = listener.wakeUps();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const auto wakeUps = listener.wakeUps() - before;
    listener.stop();
    std::printf("listener wake-ups in %d s idle with a mouse connected: %llu\n", seconds,
                static_cast<unsigned long long>(wakeUps));
    return wakeUps == 0 ? 0 : 1;
}
