// Loading a 200-line text-recognition reply into a JsonDocument and reading every line, against
// parsing the same text with the JSON library alone. Counter ratio_vs_parse: document / library.
#include <benchmark/benchmark.h>

#include <string>

#include <nlohmann/json.hpp>

#include "json/JsonDocument.h"
#include "platform/system/MonotonicClock.h"
#include "platform/text/CodePage.h"

namespace {

constexpr int kLines = 200;

// GBK, as the document receives replies.
std::string textReply() {
    std::string text = "{\"log_id\":1410600654088225875,\"words_result_num\":" + std::to_string(kLines) +
                       ",\"words_result\":[";
    for (int i = 0; i < kLines; ++i) {
        if (i > 0) text += ",";
        text += "{\"words\":\"第" + std::to_string(i) + "行 青島睥酒 TSINGTAO 2019-05-01 ￥12.50\"}";
    }
    return text + "]}";
}

const std::string& gbkReply() {
    static const std::string text = textReply();
    return text;
}

const std::string& utf8Reply() {
    static const std::string text = vd::platform::gbkToUtf8Bytes(gbkReply());
    return text;
}

double nowSeconds() { return vd::platform::monotonicSeconds(); }

void libraryParse() {
    nlohmann::ordered_json value = nlohmann::ordered_json::parse(utf8Reply(), nullptr, false);
    benchmark::DoNotOptimize(value);
}

void documentLoadAndRead(vd::JsonDocument& document) {
    document.parse(gbkReply());
    vd::Text count = document.getText("words_result_num");
    benchmark::DoNotOptimize(count);
    const int lines = std::stoi(count);
    for (int i = 0; i < lines; ++i) {
        vd::Text words = document.getText("words_result[" + std::to_string(i) + "]['words']");
        benchmark::DoNotOptimize(words);
    }
}

void BM_LibraryParse(benchmark::State& state) {
    for (auto _ : state) libraryParse();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * utf8Reply().size()));
}
BENCHMARK(BM_LibraryParse);

void BM_DocumentLoadAndRead(benchmark::State& state) {
    vd::JsonDocument document;
    for (auto _ : state) documentLoadAndRead(document);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * gbkReply().size()));
}
BENCHMARK(BM_DocumentLoadAndRead);

// Both in the same iterations, so that the ratio compares like with like on a shared machine.
void BM_DocumentVsLibrary(benchmark::State& state) {
    vd::JsonDocument document;
    double library = 0;
    double ours = 0;
    for (auto _ : state) {
        const double t0 = nowSeconds();
        libraryParse();
        const double t1 = nowSeconds();
        documentLoadAndRead(document);
        const double t2 = nowSeconds();
        library += t1 - t0;
        ours += t2 - t1;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["library_us"] = library / n * 1e6;
    state.counters["document_us"] = ours / n * 1e6;
    state.counters["ratio_vs_parse"] = library > 0 ? ours / library : 0;
}
BENCHMARK(BM_DocumentVsLibrary)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
