#include "vision/Encoding.h"

// SIMD paths only where the architecture has them; VD_PLAIN_ENCODING leaves them out.
#if defined(__x86_64__) && !defined(VD_PLAIN_ENCODING)
#define VD_ENCODING_AVX2 1
#include <immintrin.h>
#endif

#include <array>
#include <cstdint>
#include <cstring>

#include "vision/CodePageText.h"
#include "vision/EncodingPaths.h"

namespace vd {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kHexDigits[] = "0123456789ABCDEF";

using CharPair = std::array<char, 2>;

// The two Base64 characters of every 12-bit value.
constexpr std::array<CharPair, 4096> kBase64Pairs = [] {
    std::array<CharPair, 4096> pairs{};
    for (std::size_t i = 0; i < pairs.size(); ++i) pairs[i] = {kAlphabet[i >> 6], kAlphabet[i & 63]};
    return pairs;
}();

// A byte's percent form: up to three characters, their count in the fourth byte, so that a
// writer can copy four bytes at once and advance by the count.
using Code = std::array<char, 4>;

constexpr bool isSafeCharacter(unsigned b) {
    return b == '-' || b == '.' || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

constexpr std::array<Code, 256> makeCodes(bool keepSafeCharacters) {
    std::array<Code, 256> codes{};
    for (unsigned b = 0; b < 256; ++b) {
        if (keepSafeCharacters && isSafeCharacter(b)) {
            codes[b] = {static_cast<char>(b), '\0', '\0', 1};
        } else {
            codes[b] = {'%', kHexDigits[b >> 4], kHexDigits[b & 15], 3};
        }
    }
    return codes;
}

constexpr std::array<Code, 256> kEscapes = makeCodes(false);
constexpr std::array<Code, 256> kSafeCodes = makeCodes(true);

void encodeBase64Groups(const std::uint8_t* in, std::size_t groups, char* out) {
    for (std::size_t g = 0; g < groups; ++g, in += 3, out += 4) {
        const std::uint32_t v = static_cast<std::uint32_t>(in[0]) << 16 | static_cast<std::uint32_t>(in[1]) << 8 | in[2];
        std::memcpy(out, kBase64Pairs[v >> 12].data(), 2);
        std::memcpy(out + 2, kBase64Pairs[v & 0xFFF].data(), 2);
    }
}

#if VD_ENCODING_AVX2
// 24 input bytes to 32 characters per round; returns the input bytes done (a multiple of 24).
// Reads up to 4 bytes beyond the last round, so it stops 28 bytes before the end.
__attribute__((target("avx2"))) std::size_t encodeBase64Avx2(const std::uint8_t* in, std::size_t n, char* out) {
    // Each 32-bit lane gets bytes b1 b0 b2 b1 of its group: the low 16 bits then hold the first
    // two sextets, the high 16 bits the last two.
    const __m256i spread = _mm256_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10,  //
                                            1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10);
    const __m256i firstAndThirdBits = _mm256_set1_epi32(0x0FC0FC00);
    const __m256i firstAndThirdShift = _mm256_set1_epi32(0x04000040);  // >> 10 and >> 6 via mulhi
    const __m256i secondAndFourthBits = _mm256_set1_epi32(0x003F03F0);
    const __m256i secondAndFourthShift = _mm256_set1_epi32(0x01000010);  // << 4 and << 8 via mullo
    // Offsets from a sextet to its character, chosen by the sextet's range:
    // 0 for 26..51, 1..10 for 52..61, 11 for 62, 12 for 63, 13 for 0..25.
    const __m256i offsets = _mm256_setr_epi8(71, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -19, -16, 65, 0, 0,  //
                                             71, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -19, -16, 65, 0, 0);
    std::size_t done = 0;
    for (; n - done >= 28; done += 24, out += 32) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + done));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + done + 12));
        const __m256i v = _mm256_shuffle_epi8(_mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1), spread);
        const __m256i sextets =
            _mm256_or_si256(_mm256_mulhi_epu16(_mm256_and_si256(v, firstAndThirdBits), firstAndThirdShift),
                            _mm256_mullo_epi16(_mm256_and_si256(v, secondAndFourthBits), secondAndFourthShift));
        __m256i range = _mm256_subs_epu8(sextets, _mm256_set1_epi8(51));
        const __m256i capital = _mm256_cmpgt_epi8(_mm256_set1_epi8(26), sextets);
        range = _mm256_or_si256(range, _mm256_and_si256(capital, _mm256_set1_epi8(13)));
        const __m256i chars = _mm256_add_epi8(sextets, _mm256_shuffle_epi8(offsets, range));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), chars);
    }
    return done;
}
#endif

void escapeEveryByte(const std::uint8_t* in, std::size_t n, char* out) {
    if (n == 0) return;
    // Four bytes per copy: the fourth lands where the next code starts.
    for (std::size_t i = 0; i + 1 < n; ++i) std::memcpy(out + 3 * i, kEscapes[in[i]].data(), 4);
    std::memcpy(out + 3 * (n - 1), kEscapes[in[n - 1]].data(), 3);
}

#if VD_ENCODING_AVX2
// 32 input bytes to 96 characters per round; returns the input bytes done (a multiple of 32).
__attribute__((target("avx2"))) std::size_t escapeEveryByteAvx2(const std::uint8_t* in, std::size_t n, char* out) {
    const __m256i hexDigits = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(kHexDigits)));
    const __m256i lowNibble = _mm256_set1_epi8(0x0F);
    // Output byte j of block k (each block is 16 characters of one lane's 48) is character
    // g = 16k + j: "%" when g % 3 == 0, else digit g % 3 of input byte g / 3. -128 selects zero.
    constexpr auto blockMask = [](int k, int digit) {
        std::array<char, 32> mask{};
        for (int j = 0; j < 32; ++j) {
            const int g = 16 * k + j % 16;
            mask[static_cast<std::size_t>(j)] = static_cast<char>(g % 3 == digit ? g / 3 : -128);
        }
        return mask;
    };
    constexpr auto percentMask = [](int k) {
        std::array<char, 32> mask{};
        for (int j = 0; j < 32; ++j) mask[static_cast<std::size_t>(j)] = (16 * k + j % 16) % 3 == 0 ? '%' : '\0';
        return mask;
    };
    static constexpr std::array<std::array<char, 32>, 3> highMasks = {blockMask(0, 1), blockMask(1, 1), blockMask(2, 1)};
    static constexpr std::array<std::array<char, 32>, 3> lowMasks = {blockMask(0, 2), blockMask(1, 2), blockMask(2, 2)};
    static constexpr std::array<std::array<char, 32>, 3> percents = {percentMask(0), percentMask(1), percentMask(2)};
    __m256i high[3];
    __m256i low[3];
    __m256i percent[3];
    for (std::size_t k = 0; k < 3; ++k) {
        high[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(highMasks[k].data()));
        low[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lowMasks[k].data()));
        percent[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(percents[k].data()));
    }
    std::size_t done = 0;
    for (; n - done >= 32; done += 32, out += 96) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + done));
        const __m256i highDigits = _mm256_shuffle_epi8(hexDigits, _mm256_and_si256(_mm256_srli_epi16(v, 4), lowNibble));
        const __m256i lowDigits = _mm256_shuffle_epi8(hexDigits, _mm256_and_si256(v, lowNibble));
        __m256i block[3];
        for (std::size_t k = 0; k < 3; ++k) {
            block[k] = _mm256_or_si256(_mm256_or_si256(_mm256_shuffle_epi8(highDigits, high[k]),
                                                       _mm256_shuffle_epi8(lowDigits, low[k])),
                                       percent[k]);
        }
        // Lane 0's blocks are characters 0..47, lane 1's 48..95.
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_permute2x128_si256(block[0], block[1], 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32), _mm256_permute2x128_si256(block[2], block[0], 0x30));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 64), _mm256_permute2x128_si256(block[1], block[2], 0x31));
    }
    return done;
}
#endif

Text escapeKeepingSafeCharacters(const std::uint8_t* in, std::size_t n) {
    std::size_t size = 0;
    for (std::size_t i = 0; i < n; ++i) size += static_cast<std::size_t>(kSafeCodes[in[i]][3]);
    Text out(size, '\0');
    char* dest = out.data();
    std::size_t pos = 0;
    std::size_t i = 0;
    for (; i < n && pos + 4 <= size; ++i) {
        const Code& code = kSafeCodes[in[i]];
        std::memcpy(dest + pos, code.data(), 4);
        pos += static_cast<std::size_t>(code[3]);
    }
    for (; i < n; ++i) {
        const Code& code = kSafeCodes[in[i]];
        std::memcpy(dest + pos, code.data(), static_cast<std::size_t>(code[3]));
        pos += static_cast<std::size_t>(code[3]);
    }
    return out;
}

EncodingPath fastestPath() {
#if VD_ENCODING_AVX2
    static const EncodingPath path = __builtin_cpu_supports("avx2") ? EncodingPath::avx2 : EncodingPath::plain;
    return path;
#else
    return EncodingPath::plain;
#endif
}

}  // namespace

const char* encodingPathName(EncodingPath path) { return path == EncodingPath::avx2 ? "avx2" : "plain"; }

std::vector<EncodingPath> availableEncodingPaths() {
    std::vector<EncodingPath> paths{EncodingPath::plain};
    if (fastestPath() == EncodingPath::avx2) paths.push_back(EncodingPath::avx2);
    return paths;
}

Text base64EncodeWith(EncodingPath path, const ByteArray& bytes) {
    const std::size_t n = bytes.size();
    if (n == 0) return {};
    Text out((n + 2) / 3 * 4, '\0');
    const std::uint8_t* in = bytes.data();
    char* dest = out.data();
    const std::size_t groups = n / 3;
    std::size_t vectorDone = 0;
#if VD_ENCODING_AVX2
    if (path == EncodingPath::avx2 && fastestPath() == path) vectorDone = encodeBase64Avx2(in, n, dest);
#else
    static_cast<void>(path);
#endif
    encodeBase64Groups(in + vectorDone, groups - vectorDone / 3, dest + vectorDone / 3 * 4);
    if (const std::size_t rest = n % 3; rest > 0) {
        const std::uint8_t last[3] = {in[3 * groups], rest == 2 ? in[3 * groups + 1] : std::uint8_t{0}, 0};
        char* tail = dest + 4 * groups;
        encodeBase64Groups(last, 1, tail);
        tail[3] = '=';
        if (rest == 1) tail[2] = '=';
    }
    return out;
}

Text urlEncodeWith(EncodingPath path, std::string_view text, bool keepSafeCharacters, bool convertToUtf8) {
    if (text.empty()) return {};
    Text utf8;
    if (convertToUtf8) {
        utf8 = gbkToUtf8(text);
        text = utf8;
    }
    const auto* in = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    if (keepSafeCharacters) return escapeKeepingSafeCharacters(in, n);
    Text out(3 * n, '\0');
    char* dest = out.data();
    std::size_t vectorDone = 0;
#if VD_ENCODING_AVX2
    if (path == EncodingPath::avx2 && fastestPath() == path) vectorDone = escapeEveryByteAvx2(in, n, dest);
#else
    static_cast<void>(path);
#endif
    escapeEveryByte(in + vectorDone, n - vectorDone, dest + 3 * vectorDone);
    return out;
}

Text base64Encode(const ByteArray& bytes) { return base64EncodeWith(fastestPath(), bytes); }

Text urlEncode(std::string_view text, bool keepSafeCharacters, bool convertToUtf8) {
    return urlEncodeWith(fastestPath(), text, keepSafeCharacters, convertToUtf8);
}

}  // namespace vd
