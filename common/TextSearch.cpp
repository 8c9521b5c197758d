#include <cstring>
#include <limits>

#include "common/TextSearch.h"

namespace vd {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool isLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// A character GBK lacks is held in its four-byte GB18030 form: lead (81..FE), digit, lead, digit.
// Its two halves look like double-byte characters of their own, so a candidate that begins with
// such a half needs the characters counted from a known start to tell which half it is.
bool isQuadLead(char c) { return static_cast<unsigned char>(c) >= 0x81 && static_cast<unsigned char>(c) <= 0xFE; }
bool isDigitByte(char c) { return c >= '0' && c <= '9'; }
bool isQuadHalf(std::string_view text, std::size_t i) {
    return i + 1 < text.size() && isQuadLead(text[i]) && isDigitByte(text[i + 1]);
}

// Bytes of the character starting at i.
std::size_t characterSize(std::string_view text, std::size_t i) {
    if (isQuadHalf(text, i) && isQuadHalf(text, i + 2)) return 4;
    return isLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

int toPosition(std::size_t index) { return static_cast<int>(index) + 1; }

char foldByte(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// Every ASCII letter folded, trail bytes too: a search in folded copies finds a superset of the
// matches that ignore case, which `equalIgnoringCase` then confirms.
Text foldEveryLetter(std::string_view text) {
    Text out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) out[i] = foldByte(text[i]);
    return out;
}

// Whether `part` (starting on a character) equals `sought` with single-byte letters folded.
bool equalIgnoringCase(std::string_view part, std::string_view sought) {
    for (std::size_t j = 0; j < sought.size(); ++j) {
        if (isLeadByte(sought[j])) {
            if (part[j] != sought[j] || (j + 1 < sought.size() && part[j + 1] != sought[j + 1])) return false;
            ++j;
        } else if (foldByte(part[j]) != foldByte(sought[j])) {
            return false;
        }
    }
    return true;
}

// The texts a search runs on: the text itself, or folded copies when case is ignored.
class SearchTexts {
public:
    SearchTexts(std::string_view text, std::string_view sought, bool ignoreCase)
        : text_(text), sought_(sought), ignoreCase_(ignoreCase) {
        if (ignoreCase) {
            foldedText_ = foldEveryLetter(text);
            foldedSought_ = foldEveryLetter(sought);
        }
    }
    std::string_view hay() const { return ignoreCase_ ? std::string_view(foldedText_) : text_; }
    std::string_view needle() const { return ignoreCase_ ? std::string_view(foldedSought_) : sought_; }
    // Whether a candidate found in hay() at a character start is a match.
    bool confirms(std::size_t p) const {
        return !ignoreCase_ || equalIgnoringCase(text_.substr(p, sought_.size()), sought_);
    }

private:
    std::string_view text_;
    std::string_view sought_;
    bool ignoreCase_;
    Text foldedText_;
    Text foldedSought_;
};

// Finds, left to right, occurrences of a needle that start on a character. Characters are counted
// from the last restart point; `known_` is always a character start at or before every candidate.
class ForwardFinder {
public:
    ForwardFinder(std::string_view hay, std::string_view needle, std::size_t origin)
        : hay_(hay), needle_(needle), known_(origin), cursor_(origin) {}

    // The first occurrence at or after `from` (from >= the last restart point), or kNone.
    std::size_t next(std::size_t from) {
        while (from < hay_.size() && hay_.size() - from >= needle_.size()) {
            const void* hit = ::memmem(hay_.data() + from, hay_.size() - from, needle_.data(), needle_.size());
            if (hit == nullptr) return kNone;
            const std::size_t p = static_cast<std::size_t>(static_cast<const char*>(hit) - hay_.data());
            // A byte below 0x80 always ends a character, and lead bytes pair up after it: the
            // parity of the run of lead bytes just before p tells whether p starts a character.
            std::size_t q = p;
            while (q > known_ && isLeadByte(hay_[q - 1])) --q;
            if ((p - q) % 2 == 0 && (!isQuadHalf(hay_, p) || walkTo(p))) {
                known_ = p;
                return p;
            }
            known_ = p + 1;
            from = p + 1;
        }
        return kNone;
    }

    // Counting characters starts anew at `origin`.
    void restartAt(std::size_t origin) {
        known_ = origin;
        cursor_ = origin;
    }

private:
    // Whether p starts a character, counting whole characters from the last one known; the
    // cursor only moves forward, so the walks of one search together cross the text once.
    bool walkTo(std::size_t p) {
        while (cursor_ < p) cursor_ += characterSize(hay_, cursor_);
        return cursor_ == p;
    }

    std::string_view hay_;
    std::string_view needle_;
    std::size_t known_;
    std::size_t cursor_;  // always a character start
};

// Finds, right to left, occurrences of a needle that start on a character counted from the
// beginning of the hay.
class ReverseFinder {
public:
    // `whole` is the text the hay was cut from: whether a four-byte form ends inside the hay
    // depends on the bytes after it.
    ReverseFinder(std::string_view hay, std::string_view needle, std::string_view whole)
        : hay_(hay), needle_(needle), whole_(whole) {}

    // The last occurrence starting at or before `last`, or kNone. Calls come with falling `last`.
    std::size_t previous(std::size_t last) {
        const char first = needle_.front();
        std::size_t bound = last + 1;  // candidates lie in [0, bound)
        while (bound > 0) {
            const void* hit = ::memrchr(hay_.data(), first, bound);
            if (hit == nullptr) return kNone;
            const std::size_t p = static_cast<std::size_t>(static_cast<const char*>(hit) - hay_.data());
            if (std::memcmp(hay_.data() + p + 1, needle_.data() + 1, needle_.size() - 1) == 0 &&
                startsCharacter(p) && (!isQuadHalf(whole_, p) || startsWholeCharacter(p))) {
                return p;
            }
            bound = p;
        }
        return kNone;
    }

private:
    bool startsCharacter(std::size_t p) {
        // All bytes in [runStart_, runEnd_) are lead bytes and runStart_ starts a character, so
        // candidates falling inside a run already walked need no second walk.
        if (!(p >= runStart_ && p <= runEnd_)) {
            std::size_t q = p;
            while (q > 0 && isLeadByte(hay_[q - 1])) --q;
            runStart_ = q;
            runEnd_ = p;
        }
        return (p - runStart_) % 2 == 0;
    }

    // Character starts counted from the beginning, four-byte forms included; made once, when a
    // candidate first needs them.
    bool startsWholeCharacter(std::size_t p) {
        if (starts_.empty()) {
            starts_.assign(hay_.size() + 1, false);
            for (std::size_t i = 0; i < hay_.size(); i += characterSize(whole_, i)) starts_[i] = true;
        }
        return starts_[p];
    }

    std::string_view hay_;
    std::string_view needle_;
    std::string_view whole_;
    std::size_t runStart_ = 1;
    std::size_t runEnd_ = 0;
    std::vector<bool> starts_;
};

// Calls onMatch(index) for up to `limit` non-overlapping matches from `origin` on and returns how
// many there were.
template <typename OnMatch>
std::size_t forEachMatch(const SearchTexts& texts, std::size_t origin, std::size_t limit, OnMatch&& onMatch) {
    ForwardFinder finder(texts.hay(), texts.needle(), origin);
    std::size_t found = 0;
    std::size_t from = origin;
    while (found < limit) {
        const std::size_t p = finder.next(from);
        if (p == kNone) break;
        if (!texts.confirms(p)) {
            from = p + 1;
            continue;
        }
        onMatch(p);
        ++found;
        from = p + texts.needle().size();
        finder.restartAt(from);
    }
    return found;
}

}  // namespace

int findText(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
    if (start < 1) start = 1;
    if (static_cast<std::size_t>(start) > text.size()) return -1;
    if (sought.empty()) return 1;
    const std::size_t origin = static_cast<std::size_t>(start) - 1;
    const SearchTexts texts(text.substr(origin), sought, ignoreCase);
    std::size_t p = kNone;
    forEachMatch(texts, 0, 1, [&](std::size_t match) { p = match; });
    return p == kNone ? -1 : toPosition(origin + p);
}

int findTextReverse(std::string_view text, std::string_view sought, std::optional<int> start, bool ignoreCase) {
    if (text.empty() || sought.empty()) return -1;
    std::size_t end = text.size();  // the occurrence has to lie within [0, end)
    if (start) {
        if (*start <= 1) return -1;
        if (static_cast<std::size_t>(*start) <= text.size()) end = static_cast<std::size_t>(*start) - 1;
    }
    if (sought.size() > end) return -1;
    const SearchTexts texts(text.substr(0, end), sought, ignoreCase);
    ReverseFinder finder(texts.hay(), texts.needle(), text);
    for (std::size_t last = end - sought.size();;) {
        const std::size_t p = finder.previous(last);
        if (p == kNone) return -1;
        if (texts.confirms(p)) return toPosition(p);
        if (p == 0) return -1;
        last = p - 1;
    }
}

Text replaceSubtext(std::string_view text, std::string_view sought, std::string_view replacement, int start,
                    std::optional<int> count, bool caseSensitive) {
    if (start < 1) start = 1;
    if (text.empty() || sought.empty() || static_cast<std::size_t>(start) > text.size() || (count && *count <= 0)) {
        return Text(text);
    }
    const std::size_t origin = static_cast<std::size_t>(start) - 1;
    const std::size_t limit = count ? static_cast<std::size_t>(*count) : std::numeric_limits<std::size_t>::max();
    const SearchTexts texts(text.substr(origin), sought, !caseSensitive);

    // The output is sized once: by the text when it cannot grow, else after counting the matches.
    std::size_t outSize = text.size();
    if (replacement.size() > sought.size()) {
        const std::size_t matches = forEachMatch(texts, 0, limit, [](std::size_t) {});
        if (matches == 0) return Text(text);
        outSize += matches * (replacement.size() - sought.size());
    }
    Text out;
    out.reserve(outSize);
    std::size_t copied = 0;
    const std::size_t replaced = forEachMatch(texts, 0, limit, [&](std::size_t p) {
        p += origin;
        out.append(text.data() + copied, p - copied);
        out.append(replacement);
        copied = p + sought.size();
    });
    if (replaced == 0) return Text(text);
    out.append(text.data() + copied, text.size() - copied);
    return out;
}

std::vector<Text> splitText(std::string_view text, std::string_view separator, std::optional<int> maxPieces) {
    std::vector<Text> pieces;
    const std::size_t limit = !maxPieces ? std::numeric_limits<std::size_t>::max()
                              : *maxPieces < 0 ? 0
                                               : static_cast<std::size_t>(*maxPieces);
    if (text.empty() || limit == 0) return pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t pieceStart = 0;
    forEachMatch(SearchTexts(text, separator, false), 0, limit, [&](std::size_t p) {
        pieces.emplace_back(text.substr(pieceStart, p - pieceStart));
        pieceStart = p + separator.size();
    });
    if (pieces.size() < limit && pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
    return pieces;
}

}  // namespace vd
