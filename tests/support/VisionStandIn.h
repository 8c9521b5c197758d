#pragma once

// Not <chrono>: its C++20 part cannot be compiled with the GBK execution character set.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class SSLServer;
struct Request;
struct Response;
}  // namespace httplib

// A stand-in of the cloud vision service for the tests: HTTPS on 127.0.0.1, on a port that the
// system chooses, with the tests' own server certificate (trust anchor: caFile()).
//
//   vd::test::VisionStandIn service(apiKey, secretKey);   // listening when the constructor returns
//   VisionApiClient client(service.host(), service.caFile());
//   service.queueReply(Endpoint::faceMatch, {200, R"({"error_code":222202,...})"});
//   ... client.matchFaces(a, b) ...
//   service.requests().back().body                        // what the client sent
//
// Without a queued reply each endpoint answers as the service does:
// - GET /oauth/2.0/token?grant_type=client_credentials&client_id=K&client_secret=S: with the accepted
//   keys HTTP 200 and a token reply carrying issuedToken(); a wrong client id HTTP 401 (body ending in LF)
//   {"error_description":"unknown client id","error":"invalid_client"}, a wrong secret HTTP 401 with
//   "Client authentication failed", another grant type HTTP 400 unsupported_grant_type.
// - POST /rest/2.0/face/v3/match, /rest/2.0/ocr/v1/general_basic, /rest/2.0/ocr/v1/license_plate:
//   with ?access_token=issuedToken() a success reply (faceMatchSuccess(), generalTextSuccess(),
//   licensePlateSuccess()); with another token HTTP 200 and error_code 110; a missing picture
//   HTTP 200 and error_code 222001 (face match) or 216101 (recognition).
// Every reply has Content-Type application/json;charset=UTF-8. Bodies are the bytes on the wire (UTF-8).
// All members may be called from any thread while the service runs.
namespace vd::test {

class VisionStandIn {
public:
    enum class Endpoint { token, faceMatch, generalText, licensePlate };

    struct Reply {
        int status = 200;
        std::string body;  // UTF-8, sent as it is
    };

    struct Header {
        std::string name;
        std::string value;
    };

    struct Request {
        std::string method;
        std::string path;   // without the query
        std::string query;  // the raw text after '?', empty when there is none
        std::vector<Header> headers;
        std::string body;

        // Value of the first header of that name (compared without regard to case), or nullopt.
        std::optional<std::string> header(const std::string& name) const;
    };

    // Listening when it returns; throws std::runtime_error when the certificate or a port cannot be had.
    VisionStandIn(std::string acceptedApiKey, std::string acceptedSecretKey);
    // The same with another certificate (PEM files) and on 127.0.0.1:`port` (0: a port the system chooses).
    VisionStandIn(std::string acceptedApiKey, std::string acceptedSecretKey, const std::string& certificateFile,
                  const std::string& keyFile, int port);
    ~VisionStandIn();  // stops the server and joins its thread
    VisionStandIn(const VisionStandIn&) = delete;
    VisionStandIn& operator=(const VisionStandIn&) = delete;

    int port() const { return port_; }
    std::string host() const;            // "127.0.0.1:PORT"
    std::string url(const std::string& path) const;  // "https://127.0.0.1:PORT" + path
    static std::string caFile();         // CA certificate that signed the server's certificate

    // Closes the port before destruction: later requests find no server.
    void stop();

    // The token that the token endpoint hands out and the other endpoints accept.
    std::string issuedToken() const;
    void setIssuedToken(std::string token);

    // The next request to `endpoint` gets `reply` instead of the default answer; queued replies are
    // used one per request, in order.
    void queueReply(Endpoint endpoint, Reply reply);

    // Every later reply of `endpoint` is held back this long after its request has been
    // recorded (0: none). stop() ends the waits at once with an HTTP 503 reply.
    void setReplyDelay(Endpoint endpoint, std::chrono::milliseconds delay);
    // Waits until `count` requests have been recorded; false after `timeout`.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;

    std::vector<Request> requests() const;  // every request received, oldest first
    std::size_t requestCount() const;
    void clearRequests();

    static std::string path(Endpoint endpoint);
    static std::string faceMatchSuccess();
    static std::string generalTextSuccess();
    static std::string licensePlateSuccess();

private:
    void handle(Endpoint endpoint, const httplib::Request& req, std::string body, httplib::Response& res);
    Reply defaultReply(Endpoint endpoint, const httplib::Request& req, bool emptyPicture) const;

    const std::string apiKey_;
    const std::string secretKey_;
    std::unique_ptr<httplib::SSLServer> server_;
    std::thread thread_;
    int port_ = 0;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;  // a request recorded, or stopping
    bool stopping_ = false;
    std::chrono::milliseconds delays_[4] = {};
    std::string issuedToken_;
    std::deque<std::pair<Endpoint, Reply>> queued_;
    std::vector<Request> requests_;
};

}  // namespace vd::test
