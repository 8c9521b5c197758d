#pragma once

#include <string>
#include <vector>

// A TCP port on 127.0.0.1 where a connection attempt never completes: a listening socket that
// never accepts, whose queue is filled by connections of its own, so that the kernel drops
// every further SYN. Destruction closes every socket.
namespace vd::test {

class UnansweredListener {
public:
    UnansweredListener();
    ~UnansweredListener();
    UnansweredListener(const UnansweredListener&) = delete;
    UnansweredListener& operator=(const UnansweredListener&) = delete;

    // False when the queue could not be filled (the port would answer).
    bool ready() const { return ready_; }
    int port() const { return port_; }
    std::string url(const std::string& path) const;

private:
    int listenFd_ = -1;
    int port_ = 0;
    bool ready_ = false;
    std::vector<int> fillers_;
};

}  // namespace vd::test
