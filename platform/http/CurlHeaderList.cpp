#include "platform/http/CurlHeaderList.h"

namespace vd::platform {

CurlHeaderList::~CurlHeaderList() { clear(); }

CurlHeaderList& CurlHeaderList::operator=(CurlHeaderList&& other) noexcept {
    if (this != &other) {
        clear();
        list_ = other.list_;
        other.list_ = nullptr;
    }
    return *this;
}

bool CurlHeaderList::append(const char* line) {
    curl_slist* grown = curl_slist_append(list_, line);
    if (grown == nullptr) return false;
    list_ = grown;
    return true;
}

void CurlHeaderList::clear() {
    curl_slist_free_all(list_);
    list_ = nullptr;
}

}  // namespace vd::platform
