#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/TextSearch.h"
#include "platform/text/CodePage.h"
#include "tests/support/Pictures.h"
#include "tests/support/VisionStandIn.h"
#include "vision/Encoding.h"
#include "vision/RequestBodies.h"
#include "vision/ServiceConfig.h"
#include "vision/VisionApiClient.h"

namespace vd {
namespace {

using test::VisionStandIn;
using Endpoint = VisionStandIn::Endpoint;

using test::pictureOf;

std::size_t ceilThird(std::size_t n) { return (n + 2) / 3; }

// The face-match template written out line by line, independent of the client's own copy.
Text expectedTemplate() {
    const std::vector<Text> lines = {
        "[",
        "    {",
        "        \"image\": \"图片1\",",
        "        \"image_type\": \"BASE64\",",
        "        \"face_type\": \"LIVE\",",
        "        \"quality_control\": \"LOW\",",
        "        \"liveness_control\": \"NONE\"",
        "    },",
        "    {",
        "        \"image\": \"图片2\",",
        "        \"image_type\": \"BASE64\",",
        "        \"face_type\": \"LIVE\",",
        "        \"quality_control\": \"LOW\",",
        "        \"liveness_control\": \"NONE\"",
        "    }",
        "]",
    };
    Text joined;
    for (std::size_t i = 0; i < lines.size(); ++i) joined += (i ? "\r\n" : "") + lines[i];
    return joined;
}

Text expectedFaceMatchBody(const ByteArray& first, const ByteArray& second) {
    return replaceSubtext(replaceSubtext(expectedTemplate(), "图片1", base64Encode(first)), "图片2", base64Encode(second));
}

// ---------------------------------------------------------------------------------------------
// Request bodies

TEST(RequestBodies, TemplateIsTheSixteenCrLfLines) {
    EXPECT_EQ(faceMatchTemplate().size(), 355u);
    EXPECT_EQ(Text(faceMatchTemplate()), expectedTemplate());
}

TEST(RequestBodies, FaceMatchBodyEqualsTheTemplateWithBothPicturesReplaced) {
    const std::pair<std::size_t, std::size_t> sizes[] = {{0, 0}, {1, 2}, {2, 1}, {3, 3}, {4, 5}, {0, 7},
                                                         {1000, 2001}, {65536 * 3 + 1, 5}, {300001, 299999}};
    for (auto [m, n] : sizes) {
        const ByteArray first = pictureOf(m, 1);
        const ByteArray second = pictureOf(n, 2);
        const Text body = faceMatchBody(first, second);
        const std::string name = std::to_string(m) + "+" + std::to_string(n);
        EXPECT_EQ(body.size(), 345 + 4 * ceilThird(m) + 4 * ceilThird(n)) << name;
        EXPECT_TRUE(body == expectedFaceMatchBody(first, second)) << name;
    }
}

TEST(RequestBodies, RecognitionBodyIsImageAndEveryBase64CharacterPercentEncoded) {
    struct Case {
        const char* name;
        ByteArray picture;
        Text expected;
    };
    const Case known[] = {
        {"no bytes", {}, "image="},
        {"one byte", {0x00}, "image=%41%41%3D%3D"},
        {"plus, slash, digit and pad", {0xFB, 0xFF}, "image=%2B%2F%38%3D"},
        {"three bytes", {0x00, 0x10, 0x83}, "image=%41%42%43%44"},
    };
    for (const Case& c : known) EXPECT_EQ(recognitionBody(c.picture), c.expected) << "case " << c.name;

    for (std::size_t n : {1u, 2u, 3u, 100u, 65536u * 3 + 2, 300001u}) {
        const ByteArray picture = pictureOf(n, 3);
        const Text body = recognitionBody(picture);
        EXPECT_EQ(body.size(), 6 + 12 * ceilThird(n)) << n;
        EXPECT_TRUE(body == "image=" + urlEncode(base64Encode(picture))) << n;
    }
}

// ---------------------------------------------------------------------------------------------
// The client against the stand-in service

class VisionApiClientTest : public ::testing::Test {
protected:
    VisionStandIn service{Text(visionApiKey()), Text(visionSecretKey())};
    VisionApiClient client{service.host(), VisionStandIn::caFile()};

    VisionStandIn::Request lastRequest() const {
        const auto all = service.requests();
        return all.empty() ? VisionStandIn::Request{} : all.back();
    }
};

TEST_F(VisionApiClientTest, BuiltInClientUsesTheBuiltInHost) {
    VisionApiClient builtIn;
    EXPECT_EQ(builtIn.host(), Text(visionApiHost()));
    EXPECT_EQ(builtIn.endpointUrl(kGeneralTextPath), "https://" + Text(visionApiHost()) + "/rest/2.0/ocr/v1/general_basic");
    EXPECT_EQ(builtIn.accessToken, "");
    EXPECT_EQ(builtIn.http.trustedCaFile, "") << "only the system's certificate authorities";
}

TEST_F(VisionApiClientTest, TokenRequestIsTheExactClientCredentialsUrl) {
    EXPECT_EQ(client.fetchAccessToken(), "1");
    ASSERT_EQ(service.requestCount(), 1u);
    const auto req = lastRequest();
    EXPECT_EQ(req.method, "GET");
    EXPECT_EQ(req.path, "/oauth/2.0/token");
    EXPECT_EQ(req.query, "grant_type=client_credentials&client_id=Tq8LmZ3vKa6RdJ2yPw9NbE5c"
                         "&client_secret=Gk4nRz7QpV2sMx9BtL6wHc3JdY8fNa5E");
    EXPECT_EQ(req.body, "");
    EXPECT_FALSE(req.header("Content-Type").has_value());
    EXPECT_EQ(client.accessToken, service.issuedToken());
}

TEST_F(VisionApiClientTest, TokenRules) {
    struct Case {
        const char* name;
        int status;
        std::string body;  // on the wire
        bool success;
        Text token;        // stored after the reply ("" = the previous token stays)
    };
    const Case cases[] = {
        {"member followed by another", 200, R"({"access_token":"tok-1","scope":"public"})", true, "tok-1"},
        {"member last", 200, R"({"scope":"public","expires_in":2592000,"access_token":"tok-2"})", true, "tok-2"},
        {"pretty-printed with blanks", 200,
         "{\n    \"expires_in\": 2592000,\n    \"access_token\": \"tok-3\",\n    \"scope\": \"public\"\n}", true, "tok-3"},
        {"escaped characters in the value", 200, R"({"access_token":"24.a\/b","x":1})", true, "24.a/b"},
        {"member missing", 200, R"({"refresh_token":"25.x","expires_in":2592000})", false, ""},
        {"member only nested", 200, R"({"data":{"access_token":"tok-4"}})", false, ""},
        {"name only inside a value", 200, R"({"note":"access_token"})", false, ""},
        {"empty string", 200, R"({"access_token":"","scope":"public"})", false, ""},
        {"number instead of a string", 200, R"({"access_token":12345,"scope":"public"})", false, ""},
        {"null instead of a string", 200, R"({"access_token":null})", false, ""},
        {"object instead of a string", 200, R"({"access_token":{"v":"tok"}})", false, ""},
        {"name in upper case", 200, R"({"ACCESS_TOKEN":"tok-5","scope":"public"})", false, ""},
        {"name in mixed case, lower case elsewhere", 200, R"({"Access_Token":"tok-6","note":"access_token"})", false, ""},
        {"not JSON", 200, "access_token=tok-7&expires_in=2592000", false, ""},
        {"truncated JSON", 200, R"({"access_token":"tok-8")", false, ""},
        {"error reply 401", 401, "{\"error_description\":\"Client authentication failed\",\"error\":\"invalid_client\"}\n",
         false, ""},
        {"empty reply", 200, "", false, ""},
    };
    const Text previous = "previous-token";
    for (const Case& c : cases) {
        client.accessToken = previous;
        service.queueReply(Endpoint::token, {c.status, c.body});
        const Text result = client.fetchAccessToken();
        if (c.success) {
            EXPECT_EQ(result, "1") << "case " << c.name;
            EXPECT_EQ(client.accessToken, c.token) << "case " << c.name;
        } else {
            EXPECT_EQ(result, Text(c.body)) << "case " << c.name;
            EXPECT_EQ(client.accessToken, previous) << "case " << c.name;
        }
    }
}

TEST_F(VisionApiClientTest, WrongKeysGiveTheServiceReplyAndKeepTheToken) {
    struct Case {
        const char* name;
        Text acceptedKey;
        Text acceptedSecret;
        Text reply;
    };
    const Case cases[] = {
        {"wrong API key", "another-api-key", Text(visionSecretKey()),
         "{\"error_description\":\"unknown client id\",\"error\":\"invalid_client\"}\n"},
        {"wrong secret key", Text(visionApiKey()), "another-secret",
         "{\"error_description\":\"Client authentication failed\",\"error\":\"invalid_client\"}\n"},
    };
    for (const Case& c : cases) {
        VisionStandIn strict(c.acceptedKey, c.acceptedSecret);
        VisionApiClient other(strict.host(), VisionStandIn::caFile());
        other.accessToken = "kept";
        EXPECT_EQ(other.fetchAccessToken(), c.reply) << "case " << c.name;
        EXPECT_EQ(other.http.statusCode(), 401) << "case " << c.name;
        EXPECT_EQ(other.accessToken, "kept") << "case " << c.name;
    }
}

TEST_F(VisionApiClientTest, NoServerGivesTheEmptyTextAndKeepsTheToken) {
    VisionStandIn gone{Text(visionApiKey()), Text(visionSecretKey())};
    VisionApiClient other(gone.host(), VisionStandIn::caFile());
    gone.stop();
    other.accessToken = "kept";
    EXPECT_EQ(other.fetchAccessToken(), "");
    EXPECT_EQ(other.accessToken, "kept");
    EXPECT_EQ(other.matchFaces(pictureOf(3), pictureOf(3)), "");
    EXPECT_EQ(other.recognize(pictureOf(3), other.endpointUrl(kGeneralTextPath)), "");
}

TEST_F(VisionApiClientTest, FaceMatchRequestCarriesBothPicturesInTheTemplate) {
    ASSERT_EQ(client.fetchAccessToken(), "1");
    const std::pair<std::size_t, std::size_t> sizes[] = {{1, 2}, {3, 4}, {4000, 12345}, {600001, 2}};
    for (auto [m, n] : sizes) {
        const std::string name = std::to_string(m) + "+" + std::to_string(n);
        const ByteArray first = pictureOf(m, 11);
        const ByteArray second = pictureOf(n, 12);
        const Text reply = client.matchFaces(first, second);
        EXPECT_EQ(reply, platform::utf8ToGbkBytes(VisionStandIn::faceMatchSuccess())) << name;
        const auto req = lastRequest();
        EXPECT_EQ(req.method, "POST") << name;
        EXPECT_EQ(req.path, "/rest/2.0/face/v3/match") << name;
        EXPECT_EQ(req.query, "access_token=" + service.issuedToken()) << name;
        EXPECT_EQ(req.header("Content-Type").value_or("(none)"), "application/json") << name;
        EXPECT_EQ(req.body.size(), 345 + 4 * ceilThird(m) + 4 * ceilThird(n)) << name;
        EXPECT_TRUE(req.body == expectedFaceMatchBody(first, second)) << name;
    }
}

TEST_F(VisionApiClientTest, FaceMatchErrorReplyIsReturnedUnchanged) {
    ASSERT_EQ(client.fetchAccessToken(), "1");
    const std::string error =
        R"({"error_code":222202,"error_msg":"pic not has face","log_id":2659027871,"timestamp":1527231061,"cached":0,"result":null})";
    service.queueReply(Endpoint::faceMatch, {200, error});
    EXPECT_EQ(client.matchFaces(pictureOf(10), pictureOf(20)), error);
}

TEST_F(VisionApiClientTest, EmptyTokenStillSendsAndGetsTheServiceError) {
    EXPECT_EQ(client.matchFaces(pictureOf(5), pictureOf(6)),
              R"({"error_code":110,"error_msg":"Access token invalid or no longer valid"})");
    EXPECT_EQ(lastRequest().query, "access_token=");
}

TEST_F(VisionApiClientTest, RecognitionRequestIsAFormWithThePercentEncodedPicture) {
    ASSERT_EQ(client.fetchAccessToken(), "1");
    struct Case {
        const char* name;
        std::string_view path;
        std::size_t size;
        std::string reply;  // on the wire
    };
    const Case cases[] = {
        {"general text", kGeneralTextPath, 1, VisionStandIn::generalTextSuccess()},
        {"general text, larger", kGeneralTextPath, 300002, VisionStandIn::generalTextSuccess()},
        {"licence plate", kLicensePlatePath, 2, VisionStandIn::licensePlateSuccess()},
        {"licence plate, larger", kLicensePlatePath, 12345, VisionStandIn::licensePlateSuccess()},
    };
    for (const Case& c : cases) {
        const ByteArray picture = pictureOf(c.size, 21);
        const Text reply = client.recognize(picture, client.endpointUrl(c.path));
        EXPECT_EQ(reply, platform::utf8ToGbkBytes(c.reply)) << "case " << c.name;
        const auto req = lastRequest();
        EXPECT_EQ(req.method, "POST") << "case " << c.name;
        EXPECT_EQ(req.path, Text(c.path)) << "case " << c.name;
        EXPECT_EQ(req.query, "access_token=" + service.issuedToken()) << "case " << c.name;
        EXPECT_EQ(req.header("Content-Type").value_or("(none)"), "application/x-www-form-urlencoded")
            << "case " << c.name;
        EXPECT_EQ(req.body.size(), 6 + 12 * ceilThird(c.size)) << "case " << c.name;
        EXPECT_TRUE(req.body == "image=" + urlEncode(base64Encode(picture))) << "case " << c.name;
    }
    // The reply is handed over in GBK.
    EXPECT_NE(client.recognize(pictureOf(3), client.endpointUrl(kLicensePlatePath)).find("\"number\":\"苏HS7766\""),
              Text::npos);
}

TEST_F(VisionApiClientTest, RecognitionErrorAndEmptyRepliesAreReturnedUnchanged) {
    ASSERT_EQ(client.fetchAccessToken(), "1");
    const std::string error = R"({"log_id":1410600654088225875,"error_code":216202,"error_msg":"image size error"})";
    service.queueReply(Endpoint::generalText, {200, error});
    EXPECT_EQ(client.recognize(pictureOf(9), client.endpointUrl(kGeneralTextPath)), error);
    service.queueReply(Endpoint::licensePlate, {200, ""});
    EXPECT_EQ(client.recognize(pictureOf(9), client.endpointUrl(kLicensePlatePath)), "");
}

TEST_F(VisionApiClientTest, QueuedRepliesAreUsedPerEndpointInOrder) {
    service.queueReply(Endpoint::faceMatch, {200, "face-1"});
    service.queueReply(Endpoint::generalText, {200, "text-1"});
    service.queueReply(Endpoint::faceMatch, {200, "face-2"});
    EXPECT_EQ(client.recognize(pictureOf(3), client.endpointUrl(kGeneralTextPath)), "text-1");
    EXPECT_EQ(client.matchFaces(pictureOf(3), pictureOf(3)), "face-1");
    EXPECT_EQ(client.matchFaces(pictureOf(3), pictureOf(3)), "face-2");
    EXPECT_EQ(client.recognize(pictureOf(3), client.endpointUrl(kGeneralTextPath)),
              R"({"error_code":110,"error_msg":"Access token invalid or no longer valid"})");
    const auto all = service.requests();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].path, "/rest/2.0/ocr/v1/general_basic");
    EXPECT_EQ(all[1].path, "/rest/2.0/face/v3/match");
    service.clearRequests();
    EXPECT_EQ(service.requestCount(), 0u);
}

TEST_F(VisionApiClientTest, CopyHasItsOwnHttpClientAndTheSameToken) {
    ASSERT_EQ(client.fetchAccessToken(), "1");
    auto copied = client.copy();
    VisionApiClient constructed(client);
    client.accessToken = "changed";
    for (VisionApiClient* c : {copied.get(), &constructed}) {
        EXPECT_EQ(c->accessToken, service.issuedToken());
        EXPECT_EQ(c->host(), service.host());
        service.clearRequests();
        EXPECT_EQ(c->matchFaces(pictureOf(4), pictureOf(5)), platform::utf8ToGbkBytes(VisionStandIn::faceMatchSuccess()));
        EXPECT_EQ(lastRequest().query, "access_token=" + service.issuedToken());
    }
    copied.reset();
    EXPECT_EQ(constructed.fetchAccessToken(), "1");
}

}  // namespace
}  // namespace vd
