#include "platform/http/HttpConnection.h"

#include "platform/http/HttpSession.h"

namespace vd::platform {

HttpConnection HttpConnection::connect(const HttpSession& session, const Text& host, int port) {
    if (!session || host.empty() || port < 1 || port > 65535) return {};
    HttpConnection connection;
    connection.session_ = session.state();
    connection.host_ = host;
    connection.port_ = port;
    return connection;
}

}  // namespace vd::platform
