// Host-side cost of the mouse's command sequences on the simulated mouse, with the
// mouse's waits counted instead of slept: what the program itself adds to them.
#include "device/device_commands.h"
#include "device/device_link.h"
#include "device/sleeper.h"
#include "platform/event_fd_waker.h"
#include "platform/sim/simulated_backend.h"

#include <benchmark/benchmark.h>

namespace volantra {
namespace {

struct Bench
{
    Bench() : waker(std::move(*EventFdWaker::create())), link(simulator, waits, *waker)
    {
        simulator.addMouse();
        if (!link.discover())
            std::abort();
        for (std::size_t i = 0; i < kImageSize; ++i)
            images.config[i] = static_cast<std::uint8_t>(i);
    }

    SimulatedBackend simulator;
    CountingSleeper waits;
    std::unique_ptr<EventFdWaker> waker;
    DeviceLink link;
    DeviceImages images;
};

void applySequence(benchmark::State& state)
{
    Bench bench;
    for (auto _ : state) {
        Status applied = bench.link.commands()->apply(bench.images);
        benchmark::DoNotOptimize(applied);
    }
    state.counters["waits_ms_per_apply"] =
        static_cast<double>(bench.waits.total().count()) / static_cast<double>(state.iterations());
}
BENCHMARK(applySequence)->Unit(benchmark::kMicrosecond);

void connectionSequence(benchmark::State& state)
{
    Bench bench;
    for (auto _ : state) {
        Result<std::uint8_t> profile = bench.link.commands()->connect();
        benchmark::DoNotOptimize(profile);
    }
}
BENCHMARK(connectionSequence)->Unit(benchmark::kMicrosecond);

void discovery(benchmark::State& state)
{
    Bench bench;
    bench.simulator.addForeignDevice(0x046D, 0xC077, SimulatedMouse::pointerDescriptor());
    for (auto _ : state) {
        Status found = bench.link.discover();
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(discovery)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra

BENCHMARK_MAIN();
