#include "tests/support/LocalHttpServer.h"

#include "tests/support/TestCertificates.h"

namespace vd::test {
namespace {

std::size_t numberFrom(const std::string& s) { return static_cast<std::size_t>(std::stoull(s)); }

void addCannedRoutes(httplib::Server& server) {
    server.Get("/hello", [](const httplib::Request&, httplib::Response& res) { res.set_content("hello", "text/plain"); });
    server.Get("/utf8", [](const httplib::Request&, httplib::Response& res) {
        const char8_t text[] = u8"图片识别 ok";
        res.set_content(std::string(reinterpret_cast<const char*>(text), sizeof text - 1), "text/plain; charset=utf-8");
    });
    auto echo = [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(req.method + "|" + req.get_header_value("Content-Type") + "|" + req.body, "text/plain");
    };
    server.Get("/echo", echo);
    server.Post("/echo", echo);
    server.Put("/echo", echo);
    server.Get("/headers", [](const httplib::Request& req, httplib::Response& res) {
        std::string out;
        for (const auto& [name, value] : req.headers) out += name + ": " + value + "\n";
        res.set_content(out, "text/plain");
    });
    server.Get(R"(/bytes/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
        const std::size_t n = numberFrom(req.matches[1]);
        res.set_content_provider(n, "application/octet-stream",
                                 [](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                                     std::string piece(std::min<std::size_t>(length, 65536), '\0');
                                     for (std::size_t i = 0; i < piece.size(); ++i) piece[i] = bytePattern(offset + i);
                                     return sink.write(piece.data(), piece.size());
                                 });
    });
    server.Get(R"(/chunked/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
        const std::size_t n = numberFrom(req.matches[1]);
        res.set_chunked_content_provider("application/octet-stream", [n](std::size_t offset, httplib::DataSink& sink) {
            if (offset >= n) {
                sink.done();
                return true;
            }
            std::string piece(std::min<std::size_t>(n - offset, 7000), '\0');
            for (std::size_t i = 0; i < piece.size(); ++i) piece[i] = bytePattern(offset + i);
            return sink.write(piece.data(), piece.size());
        });
    });
    server.Get("/empty", [](const httplib::Request&, httplib::Response& res) { res.set_content("", "text/plain"); });
    server.Get(R"(/status/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
        res.status = static_cast<int>(numberFrom(req.matches[1]));
    });
    server.Get("/set-cookie", [](const httplib::Request& req, httplib::Response& res) {
        for (const auto& [name, value] : req.params) res.set_header("Set-Cookie", name + "=" + value + "; path=/");
        res.set_content("set", "text/plain");
    });
    server.Get("/cookies", [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(req.get_header_value("Cookie"), "text/plain");
    });
    server.Get(R"(/redirect/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
        const std::size_t n = numberFrom(req.matches[1]);
        if (n == 0) {
            res.set_content("arrived:" + req.get_header_value("Cookie"), "text/plain");
            return;
        }
        res.set_header("Set-Cookie", "hop" + std::to_string(n) + "=1; path=/");
        res.set_redirect("/redirect/" + std::to_string(n - 1));
    });
    server.Post(R"(/redirect-post/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
        res.set_redirect("/echo", static_cast<int>(numberFrom(req.matches[1])));
    });
    server.Get("/location", [](const httplib::Request& req, httplib::Response& res) {
        const int code = req.has_param("code") ? std::stoi(req.get_param_value("code")) : 302;
        res.status = code;
        res.set_header("Location", req.get_param_value("to"));
    });
}

}  // namespace

LocalHttpServer::LocalHttpServer(Scheme scheme, const Routes& extraRoutes, const std::string& certificate,
                                 const std::string& key)
    : https_(scheme == Scheme::Https) {
    if (https_) {
        const std::string cert = certificate.empty() ? serverCertificate() : certificate;
        const std::string privateKey = key.empty() ? serverKey() : key;
        server_ = std::make_unique<httplib::SSLServer>(cert.c_str(), privateKey.c_str());
    } else {
        server_ = std::make_unique<httplib::Server>();
    }
    server_->set_keep_alive_max_count(100000);
    server_->set_keep_alive_timeout(1);  // stop() waits for idle keep-alive connections
    server_->set_tcp_nodelay(true);
    addCannedRoutes(*server_);
    if (extraRoutes) extraRoutes(*server_);
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (!server_->is_valid() || port_ <= 0) return;
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // stop() only acts on a running server.
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LocalHttpServer::~LocalHttpServer() {
    server_->stop();
    if (thread_.joinable()) thread_.join();
}

std::string LocalHttpServer::url(const std::string& path) const {
    return std::string(https_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) + path;
}

}  // namespace vd::test
