#pragma once

#include <cstdint>
#include <string_view>

#include "common/Text.h"

namespace vd {

// The object's own cookie jar as a value: its text form "; name=value; name2=value2; " ("; "
// when empty) and the length recorded for it. Entries are found by "; " + name + "=", with
// exact letter case, so that one name is never taken for the end of a longer one. The inner
// part is cut by the recorded length, which every change sets anew.
class CookieJar {
public:
    CookieJar() = default;
    CookieJar(Text text, std::int32_t recordedLength) : text_(std::move(text)), length_(recordedLength) {}
    // The jar holding `cookies` ("a=1; b=2"), given its "; " at the start and "; " at the end
    // unless it has them: a missing ";" and a missing blank are added after its last character.
    static CookieJar fromCookies(const Text& cookies);

    const Text& text() const { return text_; }
    std::int32_t recordedLength() const { return length_; }
    // The text without its first two and last two characters, by the recorded length.
    Text inner() const;
    // The value of the cookie `name` (name=value with `withName`); empty when it is not held.
    Text value(const Text& name, bool withName) const;

    // A Set-Cookie item ("name=value;"): added, replacing the entry of its name, or removing it
    // when the item marks the cookie as deleted. False when the jar did not change.
    bool takeResponseItem(const Text& item);
    // Cookies "a=1; b=2" added or replacing entries of their names. False when nothing changed.
    bool merge(const Text& cookies);
    // The entries of the names "a; b" (or "a=1; b=2") removed. False when nothing was removed.
    bool remove(const Text& names);

private:
    void recordLength();

    Text text_ = "; ";
    std::int32_t length_ = 2;
};

// A cookie item whose value marks the cookie as deleted, in the three spellings servers send.
bool marksDeletedCookie(std::string_view item);

}  // namespace vd
