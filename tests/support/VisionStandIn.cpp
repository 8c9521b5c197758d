#include "tests/support/VisionStandIn.h"

#include <httplib.h>

#include <algorithm>
#include <thread>
#include <stdexcept>

#include "tests/support/TestCertificates.h"

namespace vd::test {
namespace {

constexpr const char* kJsonType = "application/json;charset=UTF-8";

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string tokenReply(const std::string& token) {
    return R"({"refresh_token":"25.b55fe1d287227ca97aab219bb249b8ab.315360000.1798284651.282335-8574074",)"
           R"("expires_in":2592000,"session_key":"9mzdDZXu3dENdFZQurfg0Vz8slgSgvvOAUebNFzyzcpQ5EnbxbF+hfG9DQkpUVQdh4p6HbQcAiz5RmuBAja1JJGgIdJI",)"
           R"("access_token":")" +
           token + R"(","scope":"public brain_all_scope","session_secret":"dfac94a3489fe9fca7c3221cbf7525ff"})";
}

}  // namespace

std::optional<std::string> VisionStandIn::Request::header(const std::string& name) const {
    for (const Header& h : headers) {
        if (equalsIgnoringCase(h.name, name)) return h.value;
    }
    return std::nullopt;
}

VisionStandIn::VisionStandIn(std::string acceptedApiKey, std::string acceptedSecretKey)
    : VisionStandIn(std::move(acceptedApiKey), std::move(acceptedSecretKey), serverCertificate(), serverKey(), 0) {}

VisionStandIn::VisionStandIn(std::string acceptedApiKey, std::string acceptedSecretKey, const std::string& certificateFile,
                             const std::string& keyFile, int port)
    : apiKey_(std::move(acceptedApiKey)),
      secretKey_(std::move(acceptedSecretKey)),
      server_(std::make_unique<httplib::SSLServer>(certificateFile.c_str(), keyFile.c_str())),
      issuedToken_("24.6c5e1ff107f0e8bcef8c46d3424a0e78.2592000.1485516651.282335-8574074") {
    if (!server_->is_valid()) throw std::runtime_error("VisionStandIn: the certificate could not be loaded");
    server_->Get(path(Endpoint::token),
                 [this](const httplib::Request& req, httplib::Response& res) { handle(Endpoint::token, req, req.body, res); });
    for (Endpoint e : {Endpoint::faceMatch, Endpoint::generalText, Endpoint::licensePlate}) {
        // Read through a content reader: the plain handler refuses form bodies above 8 KiB.
        server_->Post(path(e), [this, e](const httplib::Request& req, httplib::Response& res,
                                         const httplib::ContentReader& reader) {
            std::string body;
            reader([&body](const char* data, std::size_t length) {
                body.append(data, length);
                return true;
            });
            handle(e, req, std::move(body), res);
        });
    }
    if (port == 0) {
        port_ = server_->bind_to_any_port("127.0.0.1");
    } else {
        // The library's default SO_REUSEPORT would let a second server share a fixed port unnoticed.
        server_->set_socket_options([](socket_t sock) {
            int yes = 1;
            setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        });
    }
    if (port != 0 && server_->bind_to_port("127.0.0.1", port)) {
        port_ = port;
    }
    if (port_ <= 0) {
        throw std::runtime_error(port == 0 ? "VisionStandIn: no port on 127.0.0.1"
                                           : "VisionStandIn: 127.0.0.1:" + std::to_string(port) + " is not free");
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // stop() only acts on a running server, so wait until the loop has started.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!server_->is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

VisionStandIn::~VisionStandIn() { stop(); }

void VisionStandIn::stop() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    server_->stop();
    thread_.join();
}

std::string VisionStandIn::host() const { return "127.0.0.1:" + std::to_string(port_); }

std::string VisionStandIn::url(const std::string& p) const { return "https://" + host() + p; }

std::string VisionStandIn::caFile() { return caCertificate(); }

std::string VisionStandIn::issuedToken() const {
    std::lock_guard lock(mutex_);
    return issuedToken_;
}

void VisionStandIn::setIssuedToken(std::string token) {
    std::lock_guard lock(mutex_);
    issuedToken_ = std::move(token);
}

void VisionStandIn::queueReply(Endpoint endpoint, Reply reply) {
    std::lock_guard lock(mutex_);
    queued_.emplace_back(endpoint, std::move(reply));
}

void VisionStandIn::setReplyDelay(Endpoint endpoint, std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    delays_[static_cast<int>(endpoint)] = delay;
}

bool VisionStandIn::waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

std::vector<VisionStandIn::Request> VisionStandIn::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::size_t VisionStandIn::requestCount() const {
    std::lock_guard lock(mutex_);
    return requests_.size();
}

void VisionStandIn::clearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

std::string VisionStandIn::path(Endpoint endpoint) {
    switch (endpoint) {
        case Endpoint::token: return "/oauth/2.0/token";
        case Endpoint::faceMatch: return "/rest/2.0/face/v3/match";
        case Endpoint::generalText: return "/rest/2.0/ocr/v1/general_basic";
        case Endpoint::licensePlate: return "/rest/2.0/ocr/v1/license_plate";
    }
    return {};
}

std::string VisionStandIn::faceMatchSuccess() {
    return R"({"error_code":0,"error_msg":"SUCCESS","log_id":1345050766031247171,"timestamp":1556603124,"cached":0,)"
           R"("result":{"score":96.01836395,"face_list":[{"face_token":"807547e2f5ba96826c08b74420a2dca6"},)"
           R"({"face_token":"e8eb101fd7a1a6d82282d3f6969f39ec"}]}})";
}

std::string VisionStandIn::generalTextSuccess() {
    return utf8(u8R"({"log_id":2471272194,"words_result_num":2,"words_result":[{"words":" TSINGTAO"},{"words":"青島睥酒"}]})");
}

std::string VisionStandIn::licensePlateSuccess() {
    return utf8(u8R"({"log_id":3583925545,"words_result":{"color":"blue","number":"苏HS7766",)"
           u8R"("probability":[1,0.99999,0.99998,0.99997,0.99999,0.99998,0.99997],)"
           u8R"("vertexes_location":[{"x":195,"y":267},{"x":383,"y":270},{"x":382,"y":316},{"x":195,"y":313}]}})");
}

void VisionStandIn::handle(Endpoint endpoint, const httplib::Request& req, std::string body, httplib::Response& res) {
    Request record;
    record.method = req.method;
    record.path = req.path;
    if (auto q = req.target.find('?'); q != std::string::npos) record.query = req.target.substr(q + 1);
    for (const auto& [name, value] : req.headers) record.headers.push_back({name, value});
    record.body = std::move(body);
    const bool emptyPicture = endpoint == Endpoint::faceMatch
                                  ? record.body.empty() || record.body.find("\"image\": \"\"") != std::string::npos
                                  : record.body.size() <= 6 || record.body.compare(0, 6, "image=") != 0;

    std::optional<Reply> reply;
    {
        std::unique_lock lock(mutex_);
        requests_.push_back(std::move(record));
        auto it = std::find_if(queued_.begin(), queued_.end(), [endpoint](const auto& q) { return q.first == endpoint; });
        if (it != queued_.end()) {
            reply = std::move(it->second);
            queued_.erase(it);
        }
        changed_.notify_all();
        const std::chrono::milliseconds delay = delays_[static_cast<int>(endpoint)];
        if (delay.count() > 0 && changed_.wait_for(lock, delay, [this] { return stopping_; })) {
            res.status = 503;  // stopping: the connection is closed without this reply
            return;
        }
    }
    if (!reply) reply = defaultReply(endpoint, req, emptyPicture);
    res.status = reply->status;
    res.set_content(reply->body, kJsonType);
}

VisionStandIn::Reply VisionStandIn::defaultReply(Endpoint endpoint, const httplib::Request& req, bool emptyPicture) const {
    const std::string token = issuedToken();
    if (endpoint == Endpoint::token) {
        if (req.get_param_value("grant_type") != "client_credentials") {
            return {400, "{\"error_description\":\"The authorization grant type is not supported\","
                         "\"error\":\"unsupported_grant_type\"}\n"};
        }
        if (req.get_param_value("client_id") != apiKey_) {
            return {401, "{\"error_description\":\"unknown client id\",\"error\":\"invalid_client\"}\n"};
        }
        if (req.get_param_value("client_secret") != secretKey_) {
            return {401, "{\"error_description\":\"Client authentication failed\",\"error\":\"invalid_client\"}\n"};
        }
        return {200, tokenReply(token)};
    }
    if (!req.has_param("access_token") || req.get_param_value("access_token") != token || token.empty()) {
        return {200, R"({"error_code":110,"error_msg":"Access token invalid or no longer valid"})"};
    }
    if (endpoint == Endpoint::faceMatch) {
        if (emptyPicture) {
            return {200, R"({"error_code":222001,"error_msg":"param[] is null","log_id":2659027871,"timestamp":1527231061,"cached":0,"result":null})"};
        }
        return {200, faceMatchSuccess()};
    }
    if (emptyPicture) {
        return {200, R"({"log_id":1410600654088225875,"error_code":216101,"error_msg":"not enough param"})"};
    }
    return {200, endpoint == Endpoint::generalText ? generalTextSuccess() : licensePlateSuccess()};
}

}  // namespace vd::test
