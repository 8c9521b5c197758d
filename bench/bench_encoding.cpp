#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "common/Text.h"
#include "vision/Encoding.h"

namespace {

// The largest picture the program accepts.
constexpr std::size_t kPictureBytes = 5119999;

const vd::ByteArray& picture() {
    static const vd::ByteArray bytes = [] {
        vd::ByteArray b(kPictureBytes);
        std::mt19937 rng(42);
        for (auto& x : b) x = static_cast<std::uint8_t>(rng());
        return b;
    }();
    return bytes;
}

void BM_memcpy(benchmark::State& state) {
    const vd::ByteArray& in = picture();
    vd::ByteArray out(in.size());
    for (auto _ : state) {
        std::memcpy(out.data(), in.data(), in.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(in.size()) * state.iterations());
}

void BM_base64Encode(benchmark::State& state) {
    const vd::ByteArray& in = picture();
    for (auto _ : state) {
        vd::Text encoded = vd::base64Encode(in);
        benchmark::DoNotOptimize(encoded.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(in.size()) * state.iterations());
}

void BM_urlEncode(benchmark::State& state) {
    const vd::Text in = vd::base64Encode(picture());
    std::size_t outSize = 0;
    for (auto _ : state) {
        vd::Text encoded = vd::urlEncode(in);
        outSize = encoded.size();
        benchmark::DoNotOptimize(encoded.data());
    }
    state.counters["output_bytes"] = static_cast<double>(outSize);
    state.SetBytesProcessed(static_cast<int64_t>(in.size()) * state.iterations());
}

}  // namespace

BENCHMARK(BM_memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_base64Encode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_urlEncode)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
