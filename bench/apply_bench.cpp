// Host-side cost of the mouse's command sequences on the simulated mouse, with the
// mouse's waits counted instead of slept: what the program itself adds to them.
#include "device/device_commands.h"
#include "device/device_link.h"
#include "device/sleeper.h"
#include "model/device_images_builder.h"
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

void buildImages(benchmark::State& state)
{
    // A record with every byte set, so each button takes a real branch of the encoder.
    SettingsRecord::Bytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 13);
    for (std::size_t button = 0; button < SettingsRecord::kButtonCount; ++button)
        bytes[0x03C + button] = static_cast<std::uint8_t>(button + 5);
    const SettingsRecord record(bytes);
    for (auto _ : state) {
        DeviceImages images = buildDeviceImages(record);
        benchmark::DoNotOptimize(images);
    }
}
BENCHMARK(buildImages)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra

BENCHMARK_MAIN();
