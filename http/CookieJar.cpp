#include "http/CookieJar.h"

#include "common/TextCut.h"
#include "common/TextSearch.h"
#include "common/TextTrimAndCase.h"

namespace vd {

bool marksDeletedCookie(std::string_view item) {
    if (item.size() < 9) return false;
    const std::string_view tail = item.substr(item.size() - 9);
    return tail == "=deleted;" || tail == "=DELETED;" || tail == "=Deleted;";
}

CookieJar CookieJar::fromCookies(const Text& cookies) {
    CookieJar jar;
    jar.text_ = cookies.rfind("; ", 0) == 0 ? cookies : "; " + cookies;
    const std::string_view t = jar.text_;
    if (t.size() < 2 || t.substr(t.size() - 2) != "; ") {
        const char last = jar.text_.back();
        if (last != ';') jar.text_ += ';';
        if (last != ' ') jar.text_ += ' ';
    }
    jar.recordLength();
    return jar;
}

void CookieJar::recordLength() { length_ = textLength(text_); }

Text CookieJar::inner() const { return middleOfText(text_, 3, length_ - 4); }

Text CookieJar::value(const Text& name, bool withName) const {
    if (name.empty()) return {};
    const int p = findText(text_, "; " + name + "=");
    if (p == -1) return {};
    const int entry = p + 2;
    const int equals = entry + textLength(name);
    const int semicolon = findText(text_, ";", equals);
    if (semicolon == -1) return {};
    if (withName) return middleOfText(text_, entry, semicolon - entry);
    return middleOfText(text_, equals + 1, semicolon - equals - 1);
}

bool CookieJar::takeResponseItem(const Text& item) {
    const int equals = findText(item, "=");
    if (equals == -1) return false;
    const Text namePart = leftOfText(item, equals);
    const bool deleted = marksDeletedCookie(item);
    const int p = findText(text_, "; " + namePart);
    if (p == -1) {
        if (deleted) return false;
        text_ += item + " ";
    } else {
        const int q = findText(text_, "; ", p + 2 + textLength(namePart));
        if (q == -1) return false;
        text_ = deleted ? replaceTextAt(text_, p + 1, q - p) : replaceTextAt(text_, p + 2, q - p - 1, item);
    }
    recordLength();
    return true;
}

bool CookieJar::merge(const Text& cookies) {
    if (cookies.empty()) return false;
    const Text before = text_;
    for (const Text& piece : splitText(cookies, ";")) {
        const Text part = trimStart(piece);
        const int equals = findText(part, "=");
        if (equals == -1) continue;
        const Text sought = "; " + leftOfText(part, equals);
        const int p = findText(text_, sought);
        if (p == -1) {
            text_ += part + "; ";
            continue;
        }
        const int q = findText(text_, "; ", p + textLength(sought));
        if (q != -1) text_ = replaceTextAt(text_, p + 2, q - p - 2, part);
    }
    if (text_ == before) return false;
    recordLength();
    return true;
}

bool CookieJar::remove(const Text& names) {
    if (names.empty()) return false;
    bool removed = false;
    for (const Text& piece : splitText(names, ";")) {
        Text part = trimStart(piece);
        if (const int equals = findText(part, "="); equals != -1) part = leftOfText(part, equals - 1);
        const Text sought = "; " + part + "=";
        const int p = findText(text_, sought);
        if (p == -1) continue;
        const int q = findText(text_, "; ", p + textLength(sought));
        if (q == -1) continue;
        text_ = replaceTextAt(text_, p, q - p);
        removed = true;
    }
    if (removed) recordLength();
    return removed;
}

}  // namespace vd
