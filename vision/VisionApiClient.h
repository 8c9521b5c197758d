#pragma once

#include <memory>
#include <string_view>

#include "common/Text.h"
#include "http/HttpClient.h"

namespace vd {

// Paths of the service's endpoints on its host.
inline constexpr std::string_view kTokenPath = "/oauth/2.0/token";
inline constexpr std::string_view kFaceMatchPath = "/rest/2.0/face/v3/match";
inline constexpr std::string_view kGeneralTextPath = "/rest/2.0/ocr/v1/general_basic";
inline constexpr std::string_view kLicensePlatePath = "/rest/2.0/ocr/v1/license_plate";

// The client of the cloud vision service. Every operation is one synchronous HTTPS exchange through
// `http` and returns the reply text (GBK), the empty text when nothing was received.
class VisionApiClient {
public:
    // The built-in host, keys and the system's trusted certificates (and visionTrustedCaFile(), when set).
    VisionApiClient();
    // Another host ("127.0.0.1:PORT") whose certificate is signed by the CA in `trustAnchorFile`.
    VisionApiClient(std::string_view host, std::string_view trustAnchorFile);
    ~VisionApiClient();
    VisionApiClient(const VisionApiClient& other);
    VisionApiClient& operator=(const VisionApiClient&) = delete;

    // A new client with a copy of the HTTP client and of the token.
    std::unique_ptr<VisionApiClient> copy() const;

    // "1" when the reply's top-level member access_token is a non-empty text string, which is then
    // stored in `accessToken`; otherwise the reply text, and `accessToken` stays as it was.
    Text fetchAccessToken();
    Text matchFaces(const ByteArray& firstPicture, const ByteArray& secondPicture);
    // `endpointUrl` without query, e.g. endpointUrl(kGeneralTextPath).
    Text recognize(const ByteArray& picture, std::string_view endpointUrl);

    // May be called from another thread while an exchange runs: it ends with the empty reply at
    // once, and so do later ones (HttpClient::abortTransfer).
    void abortTransfer() const { http.abortTransfer(); }

    // "https://" + host + path.
    Text endpointUrl(std::string_view path) const;
    const Text& host() const { return host_; }

    HttpClient http;
    Text accessToken;

private:
    Text host_;
};

}  // namespace vd
