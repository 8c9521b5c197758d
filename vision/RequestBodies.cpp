#include "vision/RequestBodies.h"

#include <algorithm>
#include <memory>

#include "vision/Encoding.h"

namespace vd {
namespace {

constexpr std::string_view kTemplate =
    "[\r\n"
    "    {\r\n"
    "        \"image\": \"图片1\",\r\n"
    "        \"image_type\": \"BASE64\",\r\n"
    "        \"face_type\": \"LIVE\",\r\n"
    "        \"quality_control\": \"LOW\",\r\n"
    "        \"liveness_control\": \"NONE\"\r\n"
    "    },\r\n"
    "    {\r\n"
    "        \"image\": \"图片2\",\r\n"
    "        \"image_type\": \"BASE64\",\r\n"
    "        \"face_type\": \"LIVE\",\r\n"
    "        \"quality_control\": \"LOW\",\r\n"
    "        \"liveness_control\": \"NONE\"\r\n"
    "    }\r\n"
    "]";
constexpr std::string_view kFirstPlaceholder = "图片1";
constexpr std::string_view kSecondPlaceholder = "图片2";

// The template's only non-ASCII bytes are the placeholders, so a plain search finds them.
constexpr std::size_t kFirstAt = kTemplate.find(kFirstPlaceholder);
constexpr std::size_t kSecondAt = kTemplate.find(kSecondPlaceholder);
static_assert(kFirstAt != std::string_view::npos && kSecondAt != std::string_view::npos && kFirstAt < kSecondAt);
constexpr std::string_view kBeforeFirst = kTemplate.substr(0, kFirstAt);
constexpr std::string_view kBetween =
    kTemplate.substr(kFirstAt + kFirstPlaceholder.size(), kSecondAt - kFirstAt - kFirstPlaceholder.size());
constexpr std::string_view kAfterSecond = kTemplate.substr(kSecondAt + kSecondPlaceholder.size());

// Pictures are encoded a slice at a time; a slice is a multiple of 3 bytes, so the slices' texts
// joined are the Base64 text of the whole picture, and no whole copy of it is ever made.
constexpr std::size_t kSliceBytes = 3 * 16384;

template <class Sink>
void forEachBase64Slice(const ByteArray& bytes, Sink sink) {
    if (bytes.size() <= kSliceBytes) {
        sink(base64Encode(bytes));
        return;
    }
    ByteArray slice;
    slice.reserve(kSliceBytes);
    for (std::size_t at = 0; at < bytes.size(); at += kSliceBytes) {
        const std::size_t n = std::min(kSliceBytes, bytes.size() - at);
        slice.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
        sink(base64Encode(slice));
    }
}

}  // namespace

std::string_view faceMatchTemplate() { return kTemplate; }

Text faceMatchBody(const ByteArray& first, const ByteArray& second) {
    Text body;
    body.reserve(kTemplate.size() - kFirstPlaceholder.size() - kSecondPlaceholder.size() + base64Length(first.size()) +
                 base64Length(second.size()));
    const auto append = [&body](const Text& piece) { body += piece; };
    body += kBeforeFirst;
    forEachBase64Slice(first, append);
    body += kBetween;
    forEachBase64Slice(second, append);
    body += kAfterSecond;
    return body;
}

Text recognitionBody(const ByteArray& picture) {
    static constexpr std::string_view kPrefix = "image=";
    static constexpr char kHex[] = "0123456789ABCDEF";
    Text body;
    body.reserve(kPrefix.size() + 3 * base64Length(picture.size()));
    body += kPrefix;
    // Same bytes as urlEncode(base64, false, false): every character as "%" and two upper-case digits.
    std::unique_ptr<char[]> escaped;
    std::size_t room = 0;
    forEachBase64Slice(picture, [&](const Text& base64) {
        if (room < 3 * base64.size()) {
            room = 3 * base64.size();
            escaped = std::make_unique<char[]>(room);
        }
        char* out = escaped.get();
        for (const char c : base64) {
            const auto byte = static_cast<unsigned char>(c);
            out[0] = '%';
            out[1] = kHex[byte >> 4];
            out[2] = kHex[byte & 15];
            out += 3;
        }
        body.append(escaped.get(), 3 * base64.size());
    });
    return body;
}

}  // namespace vd
