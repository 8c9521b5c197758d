#pragma once

#include <curl/curl.h>

namespace vd::platform {

// Owns one curl_slist of header lines.
class CurlHeaderList {
public:
    CurlHeaderList() = default;
    ~CurlHeaderList();
    CurlHeaderList(const CurlHeaderList&) = delete;
    CurlHeaderList& operator=(const CurlHeaderList&) = delete;
    CurlHeaderList(CurlHeaderList&& other) noexcept : list_(other.list_) { other.list_ = nullptr; }
    CurlHeaderList& operator=(CurlHeaderList&& other) noexcept;

    // False when the line could not be stored; the list then stays as it was.
    bool append(const char* line);
    curl_slist* get() const { return list_; }
    void clear();

private:
    curl_slist* list_ = nullptr;
};

}  // namespace vd::platform
