#include "http/HeaderBlock.h"

namespace vd {
namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The line starts with `name` followed by a colon, letter case aside.
bool namesHeader(std::string_view line, std::string_view name) {
    if (name.empty() || line.size() <= name.size() || line[name.size()] != ':') return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (lowerAscii(line[i]) != lowerAscii(name[i])) return false;
    }
    return true;
}

}  // namespace

template <class Visit>
void HeaderBlock::forEachValue(std::string_view name, Visit visit) const {
    std::size_t start = raw_.find("\r\n");  // the status line is never a header
    while (start != std::string_view::npos) {
        start += 2;
        const std::size_t end = raw_.find("\r\n", start);
        const std::string_view line = raw_.substr(start, end == std::string_view::npos ? raw_.npos : end - start);
        if (namesHeader(line, name) && !visit(line.substr(name.size() + 1))) return;
        start = end;
    }
}

std::optional<std::string_view> HeaderBlock::value(std::string_view name) const {
    std::optional<std::string_view> found;
    forEachValue(name, [&found](std::string_view v) {
        found = v;
        return false;
    });
    return found;
}

std::vector<std::string_view> HeaderBlock::values(std::string_view name) const {
    std::vector<std::string_view> all;
    forEachValue(name, [&all](std::string_view v) {
        all.push_back(v);
        return true;
    });
    return all;
}

}  // namespace vd
