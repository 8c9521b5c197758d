#include "platform/http/HttpSession.h"

#include "platform/http/HttpConstants.h"
#include "platform/http/HttpSessionState.h"
#include "platform/text/CodePage.h"

namespace vd::platform {
namespace detail {

CurlEasyHandle SessionState::takeEasy() {
    if (spareEasy) return std::move(spareEasy);
    return CurlEasyHandle(curl_easy_init());
}

void SessionState::giveBackEasy(CurlEasyHandle easy) {
    if (!easy || spareEasy) return;  // one spare is enough; the other is released
    resetEasy(easy.get());
    spareEasy = std::move(easy);
}

void resetEasy(CURL* easy) {
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, static_cast<char*>(nullptr));
    curl_easy_reset(easy);
}

namespace {
bool isAscii(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}
}  // namespace

std::string toWire(const Text& gbk) { return isAscii(gbk) ? gbk : gbkToUtf8Bytes(gbk); }

Text fromWire(std::string_view utf8) { return isAscii(utf8) ? Text(utf8) : utf8ToGbkBytes(utf8); }

}  // namespace detail

HttpSession HttpSession::open(const Text& userAgent) {
    // Once per process, before the first multi or share handle (which do not start it themselves).
    static const bool curlReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!curlReady) return {};
    auto state = std::make_shared<detail::SessionState>();
    state->multi = CurlMultiHandle(curl_multi_init());
    state->cookieShare = CurlShareHandle(curl_share_init());
    if (!state->multi || !state->cookieShare) return {};
    if (curl_share_setopt(state->cookieShare.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE) != CURLSHE_OK) return {};
    state->userAgent = userAgent;
    state->userAgentUtf8 = detail::toWire(userAgent);
    HttpSession session;
    session.state_ = std::move(state);
    return session;
}

Text HttpSession::userAgent() const { return state_ ? state_->userAgent : Text(); }

HttpSession::Timeouts HttpSession::timeouts() const {
    if (!state_) return {};
    return {state_->resolveTimeoutMs, state_->connectTimeoutMs, state_->sendTimeoutMs, state_->receiveTimeoutMs};
}

bool HttpSession::setTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) {
    if (!state_) return false;
    if (resolveMs < -1 || connectMs < -1 || sendMs < -1 || receiveMs < -1) return false;
    auto unlimitedAsZero = [](int ms) { return ms < 0 ? 0 : ms; };
    state_->resolveTimeoutMs = unlimitedAsZero(resolveMs);
    state_->connectTimeoutMs = unlimitedAsZero(connectMs);
    state_->sendTimeoutMs = unlimitedAsZero(sendMs);
    state_->receiveTimeoutMs = unlimitedAsZero(receiveMs);
    return true;
}

bool HttpSession::setProxy(const Text& server) {
    if (!state_) return false;
    state_->namedProxy = !server.empty();
    state_->proxyUtf8 = detail::toWire(server);
    return true;
}

bool HttpSession::setTrustedCaFile(const Text& path) {
    if (!state_ || path.empty()) return false;
    return state_->trusted.loadPemFile(detail::toWire(path));
}

bool HttpSession::setOption(int option, std::uint32_t value) {
    if (!state_) return false;
    const int ms = value > 0x7FFFFFFFu ? 0 : static_cast<int>(value);  // 0xFFFFFFFF is -1: no limit
    switch (option) {
    case kOptionResolveTimeout: state_->resolveTimeoutMs = ms; return true;
    case kOptionConnectTimeout: state_->connectTimeoutMs = ms; return true;
    case kOptionSendTimeout: state_->sendTimeoutMs = ms; return true;
    case kOptionReceiveTimeout: state_->receiveTimeoutMs = ms; return true;
    default: return false;
    }
}

}  // namespace vd::platform
