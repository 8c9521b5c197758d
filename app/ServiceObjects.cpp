#include "app/ServiceObjects.h"

#include <utility>

#include "app/Messages.h"
#include "app/ServiceExchange.h"

namespace vd {

void createGlobalObjects(AppState& state, const VisionClientFactory& makeVisionClient) {
    state.visionClient = makeVisionClient ? makeVisionClient() : std::make_unique<VisionApiClient>();
    state.jsonDoc = std::make_unique<JsonDocument>();
}

void showConnectionResult(App& app, const Text& result) {
    if (result == "1") {
        app.window.setCaption(app.window.caption() + "---与百度服务器连接成功");
        return;
    }
    app.window.setCaption(app.window.caption() + "---与百度服务器失去连接");
    showMessage("服务器授权失败！请检查API KEY");
}

void connectToService(App& app, std::function<void()> then) {
    exchangeWithService(
        app, [](VisionApiClient& client) { return client.fetchAccessToken(); },
        [&app, then = std::move(then)](const Text& result) {
            showConnectionResult(app, result);
            if (then) then();
        });
}

void destroyVisionClient(AppState& state) { state.visionClient.reset(); }

void destroyJsonDocument(AppState& state) { state.jsonDoc.reset(); }

}  // namespace vd
