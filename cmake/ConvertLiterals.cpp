// Build tool for compilers without a converting execution character set (clang): copies UTF-8
// sources with the contents of their ordinary string and character literals converted to
// GB18030, which gives every GBK character its GBK bytes. Prefixed literals (u8, u, U, L),
// comments and code stay as they are. A "#line" directive names the original file.
//
// Usage: vd_convert_literals <source root> <output root> <relative path>...
// Writes an output only when its contents change, so unchanged copies are not recompiled.

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace {

class Converter {
public:
    Converter() : cd_(iconv_open("GB18030", "UTF-8")) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> convert(std::string_view in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 4 + 8, '\0');
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dest = out.data();
        std::size_t destLeft = out.size();
        if (iconv(cd_, &src, &srcLeft, &dest, &destLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
        out.resize(out.size() - destLeft);
        return out;
    }

private:
    iconv_t cd_;
};

bool isIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool hasNonAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// Position one past the literal that starts with the quote at `i`, or npos when it does not end.
std::size_t literalEnd(std::string_view in, std::size_t i, bool raw) {
    const char quote = in[i];
    if (raw) {
        const std::size_t open = in.find('(', i + 1);
        if (open == std::string_view::npos) return std::string_view::npos;
        const std::string close = ")" + std::string(in.substr(i + 1, open - i - 1)) + "\"";
        const std::size_t end = in.find(close, open + 1);
        return end == std::string_view::npos ? end : end + close.size();
    }
    for (std::size_t j = i + 1; j < in.size(); ++j) {
        if (in[j] == '\\') {
            ++j;
        } else if (in[j] == quote) {
            return j + 1;
        } else if (in[j] == '\n') {
            break;
        }
    }
    return std::string_view::npos;
}

std::optional<std::string> convertLiterals(std::string_view in, Converter& converter) {
    std::string out;
    out.reserve(in.size() + in.size() / 8);
    std::string token;  // the identifier or number just before the current position
    bool number = false;
    std::size_t i = 0;
    while (i < in.size()) {
        const char c = in[i];
        const char next = i + 1 < in.size() ? in[i + 1] : '\0';
        if (c == '/' && (next == '/' || next == '*')) {
            const std::size_t end = next == '/' ? in.find('\n', i) : in.find("*/", i + 2);
            const std::size_t stop = end == std::string_view::npos ? in.size() : end + (next == '*' ? 2 : 0);
            out.append(in.substr(i, stop - i));
            i = stop;
            token.clear();
            number = false;
        } else if (c == '\'' && number && isIdentifierChar(next)) {
            out += c;  // digit separator
            ++i;
        } else if (c == '"' || c == '\'') {
            const bool raw = c == '"' && !token.empty() && token.back() == 'R' && !number;
            const std::string prefix = raw ? token.substr(0, token.size() - 1) : token;
            const bool ordinary = number || !(prefix == "u8" || prefix == "u" || prefix == "U" || prefix == "L");
            const std::size_t end = literalEnd(in, i, raw && (ordinary ? prefix.empty() : true));
            if (end == std::string_view::npos) {
                out += c;
                ++i;
            } else {
                const std::string_view literal = in.substr(i, end - i);
                if (ordinary && hasNonAscii(literal)) {
                    std::optional<std::string> converted = converter.convert(literal);
                    if (!converted) return std::nullopt;
                    out += *converted;
                } else {
                    out.append(literal);
                }
                i = end;
            }
            token.clear();
            number = false;
        } else if (isIdentifierChar(c) || (c == '.' && (number || (token.empty() && isDigit(next))))) {
            if (token.empty()) number = isDigit(c) || c == '.';
            token += c;
            out += c;
            ++i;
        } else {
            token.clear();
            number = false;
            out += c;
            ++i;
        }
    }
    return out;
}

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <source root> <output root> <relative path>...\n", argv[0]);
        return 2;
    }
    Converter converter;
    if (!converter.valid()) {
        std::fprintf(stderr, "%s: no UTF-8 to GB18030 conversion\n", argv[0]);
        return 1;
    }
    const std::filesystem::path sourceRoot = argv[1];
    const std::filesystem::path outputRoot = argv[2];
    int status = 0;
    for (int a = 3; a < argc; ++a) {
        const std::filesystem::path source = sourceRoot / argv[a];
        const std::filesystem::path output = outputRoot / argv[a];
        const std::optional<std::string> text = readFile(source);
        std::optional<std::string> converted = text ? convertLiterals(*text, converter) : std::nullopt;
        if (!converted) {
            std::fprintf(stderr, "%s: cannot convert %s (unreadable or not UTF-8)\n", argv[0], source.c_str());
            status = 1;
            continue;
        }
        std::string quoted;
        for (char c : source.string()) {
            if (c == '\\' || c == '"') quoted += '\\';
            quoted += c;
        }
        *converted = "#line 1 \"" + quoted + "\"\n" + *converted;
        if (readFile(output) == converted) continue;
        std::error_code ec;
        std::filesystem::create_directories(output.parent_path(), ec);
        std::ofstream out(output, std::ios::binary | std::ios::trunc);
        out << *converted;
        if (!out.flush()) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], output.c_str());
            status = 1;
        }
    }
    return status;
}
