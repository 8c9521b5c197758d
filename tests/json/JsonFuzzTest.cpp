#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "json/JsonDocument.h"
#include "json/NumberText.h"

// Random and mutated JSON texts and paths against every operation, with fixed seeds. Besides not
// crashing, the operations must agree with each other.
namespace vd {
namespace {

// Concatenations start from a std::string where g++ 12 at -O3 reports a false -Wrestrict for a
// leading literal.
class Generator {
public:
    explicit Generator(std::uint64_t seed) : random_(seed) {}

    int below(int n) { return static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

    std::string name() {
        static const char* const kNames[] = {"a", "b", "words", "words_result", "result", "0", "1", "length",
                                             "a,b", "in", "k_2", "$x", "颜色", "toJSONString", "", "a b"};
        return kNames[below(static_cast<int>(std::size(kNames)))];
    }

    std::string number() {
        switch (below(6)) {
        case 0: return std::to_string(below(1000) - 500);
        case 1: return ecmaNumberToString(static_cast<double>(random_()) / 1e9);
        case 2: {
            double value = 0;
            const std::uint64_t bits = random_();
            std::memcpy(&value, &bits, sizeof value);
            return std::isfinite(value) ? ecmaNumberToString(value) : "1e308";
        }
        case 3: return "1e21";
        case 4: return "-0.0";
        default: return "97.02147674560547";
        }
    }

    std::string stringLiteral() {
        static const char* const kPieces[] = {"a", "Z", " ", "\\\"", "\\\\", "\\n", "\\u0000", "\\u00ad", "\\u2028",
                                              "\\ud83d\\ude00", "中", "苏HS", "'", ",", "\\/", "\\uFFFF", "\\t"};
        std::string text = "\"";
        for (int n = below(6); n > 0; --n) text += kPieces[below(static_cast<int>(std::size(kPieces)))];
        return text + "\"";
    }

    std::string json(int depth) {
        const int kind = depth <= 0 ? below(5) : below(8);
        switch (kind) {
        case 0: return "null";
        case 1: return chance(50) ? "true" : "false";
        case 2: return number();
        case 3:
        case 4: return stringLiteral();
        case 5:
        case 6: {
            std::string text = "{";
            for (int n = below(5); n > 0; --n) {
                text += std::string("\"") + name() + "\"" + space() + ":" + space() + json(depth - 1);
                if (n > 1) text += ",";
            }
            return text + "}";
        }
        default: {
            std::string text = "[";
            for (int n = below(5); n > 0; --n) {
                text += space() + json(depth - 1);
                if (n > 1) text += ",";
            }
            return text + "]";
        }
        }
    }

    std::string space() { return chance(80) ? "" : (chance(50) ? " " : "\n\t"); }

    std::string mutate(std::string text) {
        static constexpr std::string_view kTokens[] = {"[", "]",  "{",    "}", "\"",    ",",    ":",
                                                       "\\u", "\\", "'",    "\x81", "\xff", "\x81\x5b", "1e999",
                                                       "-", ".",  "null", "/*", "\n", std::string_view("\0", 1)};
        for (int n = 1 + below(3); n > 0; --n) {
            const std::size_t at = text.empty() ? 0 : static_cast<std::size_t>(below(static_cast<int>(text.size()) + 1));
            switch (below(4)) {
            case 0: text.erase(at, static_cast<std::size_t>(below(4))); break;
            case 1: text.insert(at, kTokens[below(static_cast<int>(std::size(kTokens)))]); break;
            case 2: text.resize(at); break;
            default:
                if (!text.empty() && at < text.size()) text[at] = static_cast<char>(below(256));
                break;
            }
        }
        return text;
    }

    std::string path() {
        std::string path;
        if (chance(15)) {
            path = std::string("[") + std::to_string(below(4)) + "]";
        } else if (chance(90)) {
            path = name();
        }
        for (int n = below(4); n > 0; --n) {
            switch (below(4)) {
            case 0: path += std::string(".") + name(); break;
            case 1: path += std::string("[") + std::to_string(below(5) - 1) + "]"; break;
            case 2: path += std::string("['") + name() + "']"; break;
            default: path += std::string("[\"") + name() + "\"]"; break;
            }
        }
        return chance(20) ? mutate(path) : path;
    }

private:
    std::mt19937_64 random_;
};

// The readers must agree with each other on any path.
void checkPath(const JsonDocument& document, const std::string& path, const std::string& context) {
    const int type = document.typeOf(path);
    EXPECT_TRUE(type == -1 || type == 0 || type == 1 || type == 2 || type == 4 || type == 5 || type == 6) << context;
    const bool present = document.hasValue(path);
    if (path.empty()) {
        // Only typeOf and the counters address the whole value.
        EXPECT_FALSE(present) << context;
        EXPECT_EQ(document.getText(path), "") << context;
        EXPECT_EQ(document.getJson(path), "") << context;
    } else if (type == 1 || type == 2 || type == 4 || type == 5 || type == 6) {
        EXPECT_TRUE(present) << context;
    } else {
        EXPECT_FALSE(present) << context;
    }
    const Text text = document.getText(path);
    const Text json = document.getText(path, true);
    const double number = document.getNumber(path);
    if (type == 2 && !path.empty()) {
        EXPECT_EQ(text, formatNumber13g(number)) << context;
    }
    if (!path.empty() && path[0] != '[') {
        EXPECT_EQ(json, document.getJson(path)) << context;
    }
    EXPECT_EQ(document.getDocument(path).toText(), json) << context;

    std::vector<Text> names;
    EXPECT_EQ(document.memberNames(names, path), document.memberCount(path)) << context;
    for (int index = -1; index < 3; ++index) {
        const Text element = document.getElementText(index, path, true);
        EXPECT_EQ(document.getElementDocument(index, path).toText(), element) << context;
        document.getElementText(index, path);
    }
}

void checkRoundTrip(const JsonDocument& document, const std::string& context) {
    const Text text = document.toText();
    if (text.empty()) return;
    JsonDocument again;
    again.parse(text);
    EXPECT_EQ(again.toText(), text) << context;
}

void exerciseWriters(JsonDocument& document, Generator& generator, const std::string& context) {
    for (int n = 0; n < 6; ++n) {
        const std::string path = generator.path();
        const std::string value = generator.chance(50) ? generator.json(2) : generator.mutate(generator.json(2));
        switch (generator.below(9)) {
        case 0: document.setText(path, value, generator.chance(50)); break;
        case 1: document.setJson(path, value); break;
        case 2: document.setNumber(path, std::strtod(generator.number().c_str(), nullptr)); break;
        case 3: document.appendElement(value, generator.chance(30) ? std::string() : path, generator.chance(50)); break;
        case 4: document.setElement(generator.below(6) - 1, value, generator.chance(50)); break;
        case 5: document.removeElement(generator.below(6) - 2); break;
        case 6: document.removeElementAt(path); break;
        case 7: document.setRoot(value, generator.chance(70)); break;
        default: document.reset(generator.below(7) - 1); break;
        }
        checkRoundTrip(document, context + " after writing " + path);
    }
}

TEST(JsonFuzz, RandomAndMutatedTextsAndPaths) {
    constexpr int kCases = 20000;
    // A bound on processor time keeps slow (sanitizer) builds within the test timeout.
    const std::clock_t deadline = std::clock() + 5 * CLOCKS_PER_SEC;
    int cases = 0;
    for (std::uint64_t seed = 1; seed <= kCases && std::clock() < deadline; ++seed, ++cases) {
        Generator generator(seed);
        std::string text = generator.json(1 + generator.below(5));
        if (generator.chance(50)) text = generator.mutate(text);
        const std::string context = "seed " + std::to_string(seed) + " text " + text;

        JsonDocument document;
        const bool loaded = document.parse(text);
        EXPECT_EQ(loaded, document.typeOf("") > 0 || document.typeOf("") == -1) << context;
        checkRoundTrip(document, context);
        for (int n = 0; n < 12; ++n) {
            const std::string path = generator.path();
            checkPath(document, path, context + " path " + path);
        }
        JsonDocument shared(document);
        exerciseWriters(shared, generator, context);
        EXPECT_EQ(document.toText(), shared.toText()) << context;
        for (int n = 0; n < 4; ++n) checkPath(shared, generator.path(), context);
    }
    EXPECT_GT(cases, 100);
}

}  // namespace
}  // namespace vd
