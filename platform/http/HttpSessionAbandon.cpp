#include "platform/http/HttpSession.h"
#include "platform/http/HttpSessionState.h"

namespace vd::platform {

void HttpSession::abandonTransfers() const {
    if (!state_) return;
    state_->abandoned.store(true, std::memory_order_release);
    // A request waiting in curl_multi_poll sees the flag at once.
    curl_multi_wakeup(state_->multi.get());
}

}  // namespace vd::platform
