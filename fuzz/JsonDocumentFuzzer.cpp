// Feeds a JSON text and paths to every operation of JsonDocument.
// Run: fuzz_json_document -max_total_time=60 [corpus-dir]
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "json/JsonDocument.h"

namespace {

void readEverything(const vd::JsonDocument& document, const std::string& path) {
    document.getText(path);
    document.getText(path, true);
    document.getNumber(path);
    document.getJson(path);
    document.typeOf(path);
    document.hasValue(path);
    document.memberCount(path);
    std::vector<vd::Text> names;
    document.memberNames(names, path);
    document.getDocument(path).toText();
    for (int index = -1; index < 2; ++index) {
        document.getElementText(index, path);
        document.getElementText(index, path, true);
        document.getElementDocument(index, path).toText();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    vd::JsonDocument document;
    document.parse(input.ConsumeRandomLengthString(size));
    document.toText();

    vd::JsonDocument shared(document);
    while (input.remaining_bytes() > 0) {
        const std::string path = input.ConsumeRandomLengthString(64);
        readEverything(document, path);
        const std::string value = input.ConsumeRandomLengthString(128);
        const bool asJson = input.ConsumeBool();
        switch (input.ConsumeIntegralInRange(0, 8)) {
        case 0: shared.setText(path, value, asJson); break;
        case 1: shared.setJson(path, value); break;
        case 2: shared.setNumber(path, input.ConsumeFloatingPoint<double>()); break;
        case 3: shared.appendElement(value, path, asJson); break;
        case 4: shared.setElement(input.ConsumeIntegral<int>(), value, asJson); break;
        case 5: shared.removeElement(input.ConsumeIntegral<int>()); break;
        case 6: shared.removeElementAt(path); break;
        case 7: shared.setRoot(value, asJson); break;
        default: shared.reset(input.ConsumeIntegralInRange(-1, 6)); break;
        }
    }
    // Whatever was written must read back as the same JSON.
    const vd::Text text = shared.toText();
    vd::JsonDocument again;
    again.parse(text);
    if (!text.empty() && again.toText() != text) __builtin_trap();
    return 0;
}
