#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// A TCP server on 127.0.0.1 for exact request bytes and faults: every accepted connection runs
// the test's handler in a thread of its own; the server records the raw requests read and
// counts the accepted connections. Destruction wakes stalled handlers, closes every socket and
// joins every thread.
namespace vd::test {

class RawSocketServer;

class RawConnection {
public:
    // Reads one request: the header block and as many body bytes as its Content-Length says.
    // False when the peer closed first. The raw bytes are recorded by the server too.
    bool readRequest(std::string& request);
    bool write(std::string_view bytes);
    // Waits until the server stops or `ms` have passed.
    void stall(int ms);
    // Closes the connection at once (the peer sees the end of the stream).
    void close();

private:
    friend class RawSocketServer;
    RawConnection(RawSocketServer& server, int fd) : server_(server), fd_(fd) {}
    RawSocketServer& server_;
    int fd_;
    std::string pending_;
};

class RawSocketServer {
public:
    using Handler = std::function<void(RawConnection&)>;

    explicit RawSocketServer(Handler handler);
    ~RawSocketServer();
    RawSocketServer(const RawSocketServer&) = delete;
    RawSocketServer& operator=(const RawSocketServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const;
    int acceptedConnections() const { return accepted_.load(); }
    std::vector<std::string> requests() const;

    // Handlers: a fixed reply to every request on a connection that stays open.
    static Handler replyToEach(std::string reply);
    // A fixed reply to the first request, then the connection is closed.
    static Handler replyOnceAndClose(std::string reply);

private:
    friend class RawConnection;
    void acceptLoop();
    void record(const std::string& request);

    Handler handler_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<int> accepted_{0};
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    std::vector<std::string> requests_;
    std::vector<int> connectionFds_;
    std::vector<std::thread> connectionThreads_;
    std::thread acceptThread_;
};

}  // namespace vd::test
