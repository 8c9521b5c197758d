#include "app/ServiceExchange.h"

#include <memory>
#include <utility>

namespace vd {

void exchangeWithService(App& app, std::function<Text(VisionApiClient&)> exchange, std::function<void(const Text& reply)> show) {
    VisionApiClient* client = app.state.visionClient.get();
    if (client == nullptr) {
        show(Text{});
        return;
    }
    app.window.setAbandonHandler([client] { client->abortTransfer(); });
    // Written by the worker, read by the done step after the worker has been joined.
    auto reply = std::make_shared<Text>();
    app.window.runInBackground([client, reply, exchange = std::move(exchange)] { *reply = exchange(*client); },
                               [reply, show = std::move(show)] { show(*reply); });
}

}  // namespace vd
