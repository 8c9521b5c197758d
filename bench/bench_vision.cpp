// Request bodies of the vision client against filling a fresh buffer of the same size, and the peak
// memory of one recognition request of a largest picture against a local server.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "bench/PeakMemory.h"
#include "tests/support/Pictures.h"
#include "tests/support/VisionStandIn.h"
#include "vision/RequestBodies.h"
#include "vision/ServiceConfig.h"
#include "vision/VisionApiClient.h"

namespace {

// One byte below the size from which the program refuses a picture.
constexpr std::size_t kLargestPicture = 5'119'999;

vd::ByteArray largestPicture(unsigned seed) { return vd::test::pictureOf(kLargestPicture, seed); }

using Clock = std::chrono::steady_clock;

double secondsOf(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// Each iteration builds the body once and fills a fresh buffer of the body's size once; the iteration
// time is the body's, the counter the ratio of the two totals.
template <class Build>
void compareWithFill(benchmark::State& state, Build build) {
    double buildTotal = 0;
    double fillTotal = 0;
    std::size_t size = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        vd::Text body = build();
        benchmark::DoNotOptimize(body.data());
        benchmark::ClobberMemory();
        const double buildTime = secondsOf(start);
        size = body.size();
        body = vd::Text();

        start = Clock::now();
        std::unique_ptr<char[]> fill(new char[size]);
        std::memset(fill.get(), 'A', size);
        benchmark::DoNotOptimize(fill.get());
        benchmark::ClobberMemory();
        fillTotal += secondsOf(start);
        fill.reset();

        buildTotal += buildTime;
        state.SetIterationTime(buildTime);
    }
    state.counters["ratio_vs_fill"] = buildTotal / fillTotal;
    state.counters["body_bytes"] = static_cast<double>(size);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_FaceMatchBody(benchmark::State& state) {
    const vd::ByteArray first = largestPicture(1);
    const vd::ByteArray second = largestPicture(2);
    compareWithFill(state, [&] { return vd::faceMatchBody(first, second); });
}
BENCHMARK(BM_FaceMatchBody)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RecognitionBody(benchmark::State& state) {
    const vd::ByteArray picture = largestPicture(3);
    compareWithFill(state, [&] { return vd::recognitionBody(picture); });
}
BENCHMARK(BM_RecognitionBody)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

pid_t serverPid = -1;
std::string serverHost;

void BM_RecognitionPeakMemory(benchmark::State& state) {
    if (serverHost.empty()) {
        state.SkipWithError("no local server");
        return;
    }
    vd::VisionApiClient client(serverHost, vd::test::VisionStandIn::caFile());
    if (client.fetchAccessToken() != "1") {
        state.SkipWithError("the local server gave no token");
        return;
    }
    const vd::ByteArray picture = largestPicture(4);
    const std::string url = client.endpointUrl(vd::kGeneralTextPath);
    const double payload = static_cast<double>(picture.size() + 6 + 12 * ((picture.size() + 2) / 3));
    double worst = 0;
    for (auto _ : state) {
        if (!vd::bench::resetPeak()) {
            state.SkipWithError("/proc/self/clear_refs cannot be written");
            return;
        }
        const long long before = vd::bench::statusBytes("VmHWM");
        const vd::Text reply = client.recognize(picture, url);
        const long long peak = vd::bench::statusBytes("VmHWM");
        benchmark::DoNotOptimize(reply.data());
        if (reply.find("words_result") == vd::Text::npos) {
            state.SkipWithError("the local server gave no recognition reply");
            return;
        }
        worst = std::max(worst, static_cast<double>(peak - before) / payload);
    }
    state.counters["peak_over_payload"] = worst;
}
BENCHMARK(BM_RecognitionPeakMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

// The server runs in a child process made before any thread exists, so that neither its memory nor
// its threads count for the client.
void startServerProcess() {
    int fds[2];
    if (pipe(fds) != 0) return;
    serverPid = fork();
    if (serverPid == 0) {
        close(fds[0]);
        int port = -1;
        {
            std::optional<vd::test::VisionStandIn> service;
            try {
                service.emplace(std::string(vd::visionApiKey()), std::string(vd::visionSecretKey()));
                port = service->port();
            } catch (...) {
            }
            if (write(fds[1], &port, sizeof port) != sizeof port) _exit(1);
            close(fds[1]);
            if (port > 0) pause();  // until the parent's SIGTERM
        }
        _exit(0);
    }
    close(fds[1]);
    int port = -1;
    if (serverPid > 0 && read(fds[0], &port, sizeof port) == sizeof port && port > 0) {
        serverHost = "127.0.0.1:" + std::to_string(port);
    }
    close(fds[0]);
}

void stopServerProcess() {
    if (serverPid <= 0) return;
    kill(serverPid, SIGTERM);
    waitpid(serverPid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    // Large blocks always come fresh from the system (no dynamic threshold that keeps freed blocks
    // mapped), for the bodies and the fill alike, as for the program's one request of a picture.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    startServerProcess();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    stopServerProcess();
    return 0;
}
