// The calibration every other figure is read against: filling one 1920 × 1080
// frame of 32-bit pixels. It measures this machine's memory bandwidth in the
// same run, so scripts/bench.sh can print each benchmark as a multiple of it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

void BM_FrameFill_1080p(benchmark::State& state) {
    std::vector<std::uint32_t> frame(1920 * 1080);
    std::uint32_t colour = 0xff102030u;
    for (auto _ : state) {
        std::fill(frame.begin(), frame.end(), colour);
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
        ++colour;
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(frame.size() * 4));
}
BENCHMARK(BM_FrameFill_1080p)->Unit(benchmark::kMillisecond);

}  // namespace
