#include "platform/text/CodePage.h"

#include <algorithm>
#include <cerrno>

#include "platform/text/IconvHandle.h"

namespace vd::platform {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';
// Code page 936 keeps the euro sign in the single byte 0x80, which GB18030 does not use.
constexpr char16_t kEuro = u'\u20AC';
constexpr unsigned char kEuroByte = 0x80;

// GB18030 gives every GBK character the same bytes and every other character a four-byte form.
const char* iconvName(int codePage) {
    switch (codePage) {
    case kCodePageGbk: return "GB18030";
    case kCodePageUtf8: return "UTF-8";
    default: return nullptr;
    }
}

// One descriptor per direction and thread, opened on first use.
const IconvHandle& converter(int codePage, bool toWide) {
    thread_local const IconvHandle gbkToWide = openIconv("UTF-16LE", iconvName(kCodePageGbk));
    thread_local const IconvHandle utf8ToWide = openIconv("UTF-16LE", "UTF-8");
    thread_local const IconvHandle wideToGbk = openIconv(iconvName(kCodePageGbk), "UTF-16LE");
    thread_local const IconvHandle wideToUtf8 = openIconv("UTF-8", "UTF-16LE");
    if (codePage == kCodePageGbk) return toWide ? gbkToWide : wideToGbk;
    return toWide ? utf8ToWide : wideToUtf8;
}

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool isSupportedCodePage(int codePage) { return iconvName(codePage) != nullptr; }

std::u16string decodeToWide(std::string_view bytes, int codePage) {
    if (!isSupportedCodePage(codePage) || bytes.empty()) return {};
    const IconvHandle& cd = converter(codePage, true);
    if (!cd) return {};
    resetShiftState(cd);

    // Every input byte yields at most one UTF-16 unit (a 4-byte UTF-8 sequence yields two).
    std::u16string out(bytes.size(), u'\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size() * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno != EILSEQ && errno != EINVAL) break;  // E2BIG cannot happen with the bound above
        // An invalid or incomplete sequence: one replacement character for its first byte.
        const bool euro = codePage == kCodePageGbk && static_cast<unsigned char>(*in) == kEuroByte;
        *reinterpret_cast<char16_t*>(static_cast<void*>(outPtr)) = euro ? kEuro : kReplacement;
        outPtr += sizeof(char16_t);
        outLeft -= sizeof(char16_t);
        ++in;
        --inLeft;
        resetShiftState(cd);
    }
    out.resize(out.size() - outLeft / sizeof(char16_t));
    return out;
}

namespace {

std::string encodeRun(std::u16string_view wide, int codePage) {
    if (wide.empty()) return {};
    const IconvHandle& cd = converter(codePage, false);
    if (!cd) return {};
    resetShiftState(cd);

    // At most three bytes per unit in UTF-8 and four in GB18030.
    std::string out(wide.size() * 4, '\0');
    char* in = const_cast<char*>(reinterpret_cast<const char*>(wide.data()));
    size_t inLeft = wide.size() * sizeof(char16_t);
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft >= sizeof(char16_t)) {
        if (iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno != EILSEQ && errno != EINVAL) break;
        // A character the target cannot hold, or an unpaired surrogate: skip it whole.
        char16_t unit;
        std::char_traits<char>::copy(reinterpret_cast<char*>(&unit), in, sizeof unit);
        size_t skip = sizeof(char16_t);
        if (isHighSurrogate(unit) && inLeft >= 2 * sizeof(char16_t)) {
            char16_t next;
            std::char_traits<char>::copy(reinterpret_cast<char*>(&next), in + 2, sizeof next);
            if (isLowSurrogate(next)) skip *= 2;
        }
        const bool pairOrLone = skip == 2 * sizeof(char16_t) || isHighSurrogate(unit) || isLowSurrogate(unit);
        if (codePage == kCodePageUtf8 && pairOrLone) {
            static constexpr char kUtf8Replacement[] = "\xEF\xBF\xBD";
            for (char c : std::string_view(kUtf8Replacement, 3)) *outPtr++ = c;
            outLeft -= 3;
        } else {
            *outPtr++ = '?';
            --outLeft;
        }
        in += skip;
        inLeft -= skip;
        resetShiftState(cd);
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::string encodeFromWide(std::u16string_view wide, int codePage) {
    if (!isSupportedCodePage(codePage)) return {};
    if (codePage != kCodePageGbk) return encodeRun(wide, codePage);
    // The euro sign takes its code-page byte; U+FFFD, which stands for bytes that could not be
    // read, stays the '?' it has always been in GBK texts.
    static constexpr char16_t kOwnForms[] = {kEuro, kReplacement, u'\0'};
    std::string out;
    for (std::size_t from = 0;;) {
        const std::size_t special = std::min(wide.find_first_of(kOwnForms, from), wide.size());
        out += encodeRun(wide.substr(from, special - from), codePage);
        if (special == wide.size()) return out;
        out += wide[special] == kEuro ? static_cast<char>(kEuroByte) : '?';
        from = special + 1;
    }
}

// ASCII has the same bytes in both code pages: only other texts need converting.
std::string gbkToUtf8Bytes(std::string_view gbk) {
    if (isAscii(gbk)) return std::string(gbk);
    return encodeFromWide(decodeToWide(gbk, kCodePageGbk), kCodePageUtf8);
}

std::string utf8ToGbkBytes(std::string_view utf8) {
    if (isAscii(utf8)) return std::string(utf8);
    return encodeFromWide(decodeToWide(utf8, kCodePageUtf8), kCodePageGbk);
}

}  // namespace vd::platform
