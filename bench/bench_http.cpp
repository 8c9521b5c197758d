// HttpClient against plain libcurl, and the memory a large body costs.
//
//   ratio_vs_libcurl  time of 200 sequential small GETs with HttpClient divided by the time of the
//                     same 200 GETs with one reused libcurl easy handle, to the same local server
//   peak_over_body    growth of the process's peak resident memory while responseBytes reads a
//                     200 MB body, divided by the body size (the body's one copy in the client's
//                     buffer plus the new byte array that responseBytes returns)
//   peak_without_result_over_body   the same growth less the returned array: what the client
//                     itself holds at its peak
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

#include "bench/PeakMemory.h"
#include "http/HttpClient.h"
#include "platform/system/MonotonicClock.h"
#include "tests/support/LocalHttpServer.h"

namespace {

double nowSeconds() { return vd::platform::monotonicSeconds(); }

constexpr int kRequests = 200;

vd::test::LocalHttpServer& server() {
    static vd::test::LocalHttpServer instance;
    return instance;
}

std::size_t appendTo(char* data, std::size_t size, std::size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

double clientRound(vd::HttpClient& client, const std::string& url) {
    const double start = nowSeconds();
    for (int i = 0; i < kRequests; ++i) {
        if (!client.open("GET", url) || !client.send() || client.responseText() != "hello") return -1;
    }
    return nowSeconds() - start;
}

double curlRound(CURL* easy, const std::string& url) {
    std::string body;
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, appendTo);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    const double start = nowSeconds();
    for (int i = 0; i < kRequests; ++i) {
        body.clear();
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        if (curl_easy_perform(easy) != CURLE_OK || body != "hello") return -1;
    }
    return nowSeconds() - start;
}

void BM_TwoHundredSmallGets(benchmark::State& state) {
    const std::string url = server().url("/hello");
    vd::HttpClient client;
    CURL* easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    clientRound(client, url);  // warm both: connections made, caches filled
    curlRound(easy, url);
    double clientTotal = 0;
    double curlTotal = 0;
    bool alternate = false;
    for (auto _ : state) {
        double c, l;
        if ((alternate = !alternate)) {
            c = clientRound(client, url);
            l = curlRound(easy, url);
        } else {
            l = curlRound(easy, url);
            c = clientRound(client, url);
        }
        if (c < 0 || l < 0) {
            state.SkipWithError("a request failed");
            break;
        }
        clientTotal += c;
        curlTotal += l;
        state.SetIterationTime(c);
    }
    curl_easy_cleanup(easy);
    if (curlTotal > 0) {
        state.counters["ratio_vs_libcurl"] = clientTotal / curlTotal;
        state.counters["client_us_per_get"] = clientTotal / static_cast<double>(state.iterations()) / kRequests * 1e6;
        state.counters["libcurl_us_per_get"] = curlTotal / static_cast<double>(state.iterations()) / kRequests * 1e6;
    }
}
BENCHMARK(BM_TwoHundredSmallGets)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LargeBodyPeakMemory(benchmark::State& state) {
    constexpr std::size_t kSize = 200u * 1024 * 1024;
    const std::string url = server().url("/bytes/" + std::to_string(kSize));
    double peakRatio = 0;
    double withoutResult = 0;
    for (auto _ : state) {
        vd::HttpClient client;
        if (!client.open("GET", url) || !client.send()) {
            state.SkipWithError("request failed");
            break;
        }
        if (!vd::bench::resetPeak()) {
            state.SkipWithError("cannot reset the peak (/proc/self/clear_refs)");
            break;
        }
        const long long before = vd::bench::statusBytes("VmRSS");
        const vd::ByteArray body = client.responseBytes();
        const long long peak = vd::bench::statusBytes("VmHWM");
        if (body.size() != kSize) {
            state.SkipWithError("short body");
            break;
        }
        const double growth = static_cast<double>(peak - before);
        peakRatio = growth / static_cast<double>(kSize);
        withoutResult = (growth - static_cast<double>(body.size())) / static_cast<double>(kSize);
    }
    state.counters["peak_over_body"] = peakRatio;
    state.counters["peak_without_result_over_body"] = withoutResult;
}
BENCHMARK(BM_LargeBodyPeakMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
