#include "tests/support/HttpExchangeTexts.h"

namespace vd::test {

std::string headerLines(const std::string& request) {
    const std::size_t first = request.find("\r\n") + 2;
    return request.substr(first, request.find("\r\n\r\n") + 2 - first);
}

}  // namespace vd::test
