#pragma once

#include <curl/curl.h>

#include "platform/UniqueHandle.h"

namespace vd::platform {

using CurlEasyHandle = UniqueHandle<CURL, curl_easy_cleanup>;
using CurlMultiHandle = UniqueHandle<CURLM, curl_multi_cleanup>;
using CurlShareHandle = UniqueHandle<CURLSH, curl_share_cleanup>;
// Header lines for CURLOPT_HTTPHEADER; null is the empty list.
using CurlHeaderList = UniqueHandle<curl_slist, curl_slist_free_all>;

// False when the line could not be stored; the list then stays as it was.
bool appendHeaderLine(CurlHeaderList& list, const char* line);

}  // namespace vd::platform
