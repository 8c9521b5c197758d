#include "vision/VisionApiClient.h"

#include <optional>
#include <utility>

#include "common/TextSearch.h"
#include "json/JsonDocument.h"
#include "vision/RequestBodies.h"
#include "vision/ServiceConfig.h"

namespace vd {
namespace {

// A non-empty text string at the reply's top-level member access_token, or nothing.
std::optional<Text> tokenOf(const Text& reply) {
    JsonDocument doc;
    if (!doc.parse(reply)) return std::nullopt;
    if (doc.typeOf("access_token") != JsonDocument::kTypeString) return std::nullopt;
    Text token = doc.getText("access_token");
    if (token.empty()) return std::nullopt;
    return token;
}

}  // namespace

VisionApiClient::VisionApiClient() : host_(visionApiHost()) {
    if (!visionTrustedCaFile().empty()) http.setTrustedCaFile(Text(visionTrustedCaFile()));
}

VisionApiClient::VisionApiClient(std::string_view host, std::string_view trustAnchorFile) : host_(host) {
    http.setTrustedCaFile(Text(trustAnchorFile));
}

VisionApiClient::~VisionApiClient() = default;

VisionApiClient::VisionApiClient(const VisionApiClient& other)
    : http(other.http), accessToken(other.accessToken), host_(other.host_) {}

std::unique_ptr<VisionApiClient> VisionApiClient::copy() const { return std::make_unique<VisionApiClient>(*this); }

Text VisionApiClient::fetchAccessToken() {
    Text url = endpointUrl(kTokenPath);
    url += "?grant_type=client_credentials&client_id=";
    url += visionApiKey();
    url += "&client_secret=";
    url += visionSecretKey();
    http.open("GET", url);
    http.send();
    Text reply = http.responseText();
    if (findText(reply, "access_token") < 1) return reply;
    std::optional<Text> token = tokenOf(reply);
    if (!token) return reply;
    accessToken = std::move(*token);
    return "1";
}

Text VisionApiClient::matchFaces(const ByteArray& firstPicture, const ByteArray& secondPicture) {
    const Text body = faceMatchBody(firstPicture, secondPicture);
    http.open("POST", endpointUrl(kFaceMatchPath) + "?access_token=" + accessToken);
    http.setContentType("application/json");
    http.send(body);
    return http.responseText();
}

Text VisionApiClient::recognize(const ByteArray& picture, std::string_view endpointUrl) {
    http.open("POST", Text(endpointUrl) + "?access_token=" + accessToken);
    const Text body = recognitionBody(picture);
    http.send(body);
    return http.responseText();
}

Text VisionApiClient::endpointUrl(std::string_view path) const { return "https://" + host_ + Text(path); }

}  // namespace vd
