// Times how long the program takes to notice a mouse being plugged in: from adding the
// mouse to a umockdev testbed (which sends the udev "add" uevents) until the device link,
// fed by HidrawBackend's udev monitor, is connected. Goal: under 150 ms.
// Run under umockdev-wrapper: hotplug_bench [rounds]
#include "device/device_link.h"
#include "device/sleeper.h"
#include "platform/event_fd_waker.h"
#include "platform/hidraw/hidraw_backend.h"
#include "platform/umockdev_mouse.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
constexpr auto kGoal = 150ms;
constexpr auto kGiveUp = 2s;

// Hands the monitor's notices to the link until done() holds or the time is up.
template <typename Done>
bool follow(volantra::HotplugMonitor& monitor, volantra::DeviceLink& link, Done done,
            Clock::duration limit = kGiveUp)
{
    const auto end = Clock::now() + limit;
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd entry{monitor.fileDescriptor(), POLLIN, 0};
        if (::poll(&entry, 1, static_cast<int>(left.count())) <= 0)
            continue;
        for (const volantra::HotplugNotice& notice : monitor.receive())
            link.handleHotplug(notice);
    }
    return true;
}

double milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

} // namespace

int main(int argc, char** argv)
{
    using namespace volantra;
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    test::UmockdevMouse mouse;
    if (!mouse.ready()) {
        std::fprintf(stderr, "hotplug_bench: %s\n", mouse.problem().c_str());
        return 2;
    }
    auto backend = HidrawBackend::create();
    auto waker = EventFdWaker::create();
    if (!backend || !waker) {
        std::fprintf(stderr, "hotplug_bench: cannot start libudev or an eventfd\n");
        return 2;
    }
    CountingSleeper waits;
    DeviceLink link(**backend, waits, **waker);
    auto monitor = (*backend)->createMonitor();
    if (!monitor) {
        std::fprintf(stderr, "hotplug_bench: %s\n", monitor.error().message.c_str());
        return 2;
    }

    std::vector<double> toConnected;
    std::vector<double> inTestbed; // the part spent making the devices, uevents included
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        if (!mouse.plug()) {
            std::fprintf(stderr, "hotplug_bench: %s\n", mouse.problem().c_str());
            return 2;
        }
        const auto added = Clock::now();
        if (!follow(**monitor, link, [&] { return link.connected(); })) {
            std::fprintf(stderr, "hotplug_bench: round %d: not connected after %lld ms\n", round,
                         static_cast<long long>(kGiveUp.count()));
            return 1;
        }
        toConnected.push_back(milliseconds(Clock::now() - start));
        inTestbed.push_back(milliseconds(added - start));

        mouse.unplug();
        if (!follow(**monitor, link, [&] { return !link.connected(); })) {
            std::fprintf(stderr, "hotplug_bench: round %d: still connected after unplug\n", round);
            return 1;
        }
        // Let the remaining removal notices arrive so that the next round starts clean.
        follow(
            **monitor, link, [] { return false; }, 20ms);
    }

    std::sort(toConnected.begin(), toConnected.end());
    std::sort(inTestbed.begin(), inTestbed.end());
    const double median = toConnected[toConnected.size() / 2];
    std::printf("plug to connected over %d rounds: min %.2f ms, median %.2f ms, max %.2f ms "
                "(goal < %lld ms)\n",
                rounds, toConnected.front(), median, toConnected.back(),
                static_cast<long long>(kGoal.count()));
    std::printf("of which the testbed's own work (sysfs, uevents): median %.2f ms\n",
                inTestbed[inTestbed.size() / 2]);
    return median < static_cast<double>(kGoal.count()) ? 0 : 1;
}
