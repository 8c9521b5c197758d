#include "http/HttpClient.h"

namespace vd {

void HttpClient::abortTransfer() const { session.abandonTransfers(); }

}  // namespace vd
