#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include <httplib.h>

// HTTP and HTTPS servers on 127.0.0.1 for the tests, with named canned routes:
//   /hello                      "hello" (text/plain, with Content-Length)
//   /utf8                       a UTF-8 Chinese text
//   /echo                       "METHOD|Content-Type|body" of the request
//   /headers                    every request header as "Name: value" lines
//   /bytes/<n>                  n bytes of bytePattern(), with Content-Length
//   /chunked/<n>                n bytes of bytePattern(), chunked
//   /empty                      Content-Length: 0
//   /status/<code>              an empty reply with that status
//   /set-cookie?name=value      sets the cookie with "path=/"
//   /cookies                    the request's Cookie header
//   /redirect/<n>               302 to /redirect/<n-1>, setting cookie hop<n>=1; /redirect/0 says "arrived:" + its Cookie header
//   /redirect-post/<code>       <code> with Location /echo
//   /location?to=<url>&code=c   c (302 when omitted) with Location <url>
// The server runs in its own thread from construction to destruction.
namespace vd::test {

// Byte i of the bodies of /bytes and /chunked.
inline char bytePattern(std::size_t i) { return static_cast<char>('a' + i % 26); }

class LocalHttpServer {
public:
    enum class Scheme { Http, Https };
    using Routes = std::function<void(httplib::Server&)>;

    // An HTTPS server uses the tests' server certificate unless others are given.
    explicit LocalHttpServer(Scheme scheme = Scheme::Http, const Routes& extraRoutes = {},
                             const std::string& certificate = {}, const std::string& key = {});
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:<port>" + path (https for an HTTPS server).
    std::string url(const std::string& path) const;

private:
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    bool https_ = false;
};

}  // namespace vd::test
