// Peak memory of writes far past the end of an array: twenty elements, each set 2^20 places
// past the array's end. Counter peak_mb: growth of the peak resident size over the run.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/PeakMemory.h"
#include "json/JsonDocument.h"

namespace {

constexpr int kWrites = 20;
constexpr int kGap = 1 << 20;

void farWrites(benchmark::State& state) {
    for (auto _ : state) {
        vd::bench::resetPeak();
        const long long before = vd::bench::statusBytes("VmHWM");
        vd::JsonDocument document;
        document.reset(vd::JsonDocument::kTypeArray);
        int length = 0;
        for (int i = 0; i < kWrites; ++i) {
            length += kGap + 1;
            document.setElement(length - 1, std::to_string(i), true);
        }
        benchmark::DoNotOptimize(document.memberCount());
        const long long after = vd::bench::statusBytes("VmHWM");
        state.counters["peak_mb"] = static_cast<double>(after - before) / (1 << 20);
        state.counters["elements"] = document.memberCount();
        state.counters["length"] = document.getNumber("length");
    }
}
BENCHMARK(farWrites)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
