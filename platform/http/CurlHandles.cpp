#include "platform/http/CurlHandles.h"

namespace vd::platform {

bool appendHeaderLine(CurlHeaderList& list, const char* line) {
    curl_slist* grown = curl_slist_append(list.get(), line);
    if (grown == nullptr) return false;
    (void)list.release();  // curl_slist_append extended the list it was given
    list.reset(grown);
    return true;
}

}  // namespace vd::platform
