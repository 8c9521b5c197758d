#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Program.h"
#include "app/ServiceObjects.h"
#include "tests/support/gui/ProgramRun.h"
#include "vision/ServiceConfig.h"

namespace vd {
namespace {

using test::VisionStandIn;
using test::RunningWindow;
using Endpoint = VisionStandIn::Endpoint;

class ServiceConnectionTest : public test::ProgramRunTest {};

// Shares the value holder of the document it copies, so the holder's end shows the document's.
class DocumentProbe : public JsonDocument {
public:
    explicit DocumentProbe(const JsonDocument& document) : JsonDocument(document) {}
    std::weak_ptr<JsonValue> holder() const { return engine; }
};

TEST_F(ServiceConnectionTest, CaptionTellsWhetherTheTokenWasObtained) {
    const Text connected = "人脸对比-百度API---与百度服务器连接成功";
    const Text lost = "人脸对比-百度API---与百度服务器失去连接";
    struct Case {
        const char* name;
        std::optional<VisionStandIn::Reply> tokenReply;  // nullopt: the stand-in's own answer
        bool serviceDown;
        Text caption;
        Text token;  // the client's token afterwards
    } cases[] = {
        {"token reply", std::nullopt, false, connected, Text(service.issuedToken())},
        {"pretty-printed token reply", VisionStandIn::Reply{200, "{\n  \"access_token\": \"24.abc\",\n  \"expires_in\": 2592000\n}\n"},
         false, connected, "24.abc"},
        {"wrong API key: HTTP 401", VisionStandIn::Reply{401, "{\"error_description\":\"unknown client id\",\"error\":\"invalid_client\"}\n"},
         false, lost, ""},
        {"a reply that merely contains 1", VisionStandIn::Reply{200, R"({"error":"1","error_description":"1"})"}, false, lost, ""},
        {"an empty access_token", VisionStandIn::Reply{200, R"({"access_token":"","expires_in":1})"}, false, lost, ""},
        {"no server", std::nullopt, true, lost, ""},  // last: the stand-in stays down
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        messages.clear();
        service.clearRequests();
        if (row.tokenReply) service.queueReply(Endpoint::token, *row.tokenReply);
        if (row.serviceDown) service.stop();
        Text caption;
        Text token = "(not read)";
        EXPECT_EQ(runProgramWith([&](RunningWindow& window) {
                      caption = window.caption();
                      token = state.visionClient->accessToken;
                  }),
                  0);
        EXPECT_EQ(caption, row.caption);
        EXPECT_EQ(token, row.token);
        if (row.caption == connected) {
            EXPECT_TRUE(messages.empty());
        } else {
            ASSERT_EQ(messages.size(), 1U) << "shown exactly once";
            EXPECT_EQ(messages[0].caption, "信息：");
            EXPECT_EQ(messages[0].text, "服务器授权失败！请检查API KEY");
            EXPECT_FALSE(messages[0].windowShown) << "shown before the window can be used";
        }
        if (!row.serviceDown) {
            const auto requests = service.requests();
            ASSERT_EQ(requests.size(), 1U) << "the token is fetched once";
            EXPECT_EQ(requests[0].path, VisionStandIn::path(Endpoint::token));
        }
    }
}

TEST_F(ServiceConnectionTest, ExitCleanupDestroysBothObjectsOnce) {
    std::weak_ptr<JsonValue> documentValue;
    bool madeBoth = false;
    EXPECT_EQ(runProgramWith([&](RunningWindow&) {
                  madeBoth = state.visionClient != nullptr && state.jsonDoc != nullptr;
                  if (state.jsonDoc) documentValue = DocumentProbe(*state.jsonDoc).holder();
                  EXPECT_EQ(documentValue.use_count(), 1) << "held by jsonDoc alone";
              }),
              0);
    EXPECT_TRUE(madeBoth);
    EXPECT_EQ(clientsMade, 1);
    EXPECT_EQ(state.visionClient, nullptr);
    EXPECT_EQ(state.jsonDoc, nullptr);
    EXPECT_TRUE(documentValue.expired()) << "jsonDoc was destroyed";
    exitCleanup(state);  // a second call finds nothing left to destroy
    EXPECT_EQ(state.visionClient, nullptr);
    EXPECT_EQ(state.jsonDoc, nullptr);
}

TEST(ServiceObjects, WithoutAFactoryTheClientIsTheBuiltInOne) {
    AppState state;
    createGlobalObjects(state);
    ASSERT_NE(state.visionClient, nullptr);
    ASSERT_NE(state.jsonDoc, nullptr);
    EXPECT_EQ(state.visionClient->host(), visionApiHost());
    EXPECT_EQ(state.visionClient->endpointUrl(kGeneralTextPath), "https://" + Text(visionApiHost()) + "/rest/2.0/ocr/v1/general_basic");
    EXPECT_EQ(state.visionClient->accessToken, "");
    EXPECT_EQ(state.jsonDoc->toText(), "{}");
    exitCleanup(state);
    EXPECT_EQ(state.visionClient, nullptr);
    EXPECT_EQ(state.jsonDoc, nullptr);
}

}  // namespace
}  // namespace vd
