#pragma once

#include <functional>

#include "app/App.h"

namespace vd {

// One exchange with the vision service, made off the GUI thread so that the window stays
// serviced: `exchange` runs with visionClient on a worker thread while the window refuses input;
// then `show` gets the reply on the GUI thread. Nothing else uses visionClient meanwhile, and
// closing the window abandons the exchange. Without a client the reply is the empty text, shown
// at once.
void exchangeWithService(App& app, std::function<Text(VisionApiClient&)> exchange, std::function<void(const Text& reply)> show);

}  // namespace vd
