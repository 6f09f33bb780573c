#include "platform/HttpGet.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

namespace orv::platform {

namespace {

constexpr long kMaximumRedirects = 5;  // the Windows request follows redirects too

struct Reply {
    std::string body;
    size_t limit = 0;
};

size_t Collect(char* data, size_t size, size_t count, void* context)
{
    auto& reply = *static_cast<Reply*>(context);
    const size_t bytes = size * count;
    const size_t kept = std::min(bytes, reply.limit - reply.body.size());
    reply.body.append(data, kept);
    // Returning less than was offered ends the transfer with an error: a
    // body beyond the limit is not a whole reply.
    return kept == bytes ? bytes : 0;
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

HttpResponse HttpGet(const HttpRequest& request)
{
    HttpResponse response;
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return response;
    const std::string url = "http://" + request.host + ":" + std::to_string(request.port) + "/" + request.path;
    const std::string accept = "Accept: " + request.acceptedType;
    std::unique_ptr<curl_slist, HeaderListDeleter> headers(curl_slist_append(nullptr, accept.c_str()));
    Reply reply;
    reply.limit = request.maximumBytes;

    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    // Plain HTTP only, for the request and any redirect.
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaximumRedirects);
    curl_easy_setopt(handle, CURLOPT_USERAGENT, request.userAgent.c_str());
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connectTimeoutMilliseconds));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS,
                     static_cast<long>(request.connectTimeoutMilliseconds) + request.receiveTimeoutMilliseconds);
    // A plug-in shares the host's signal handlers and threads.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &reply);
    // curl reports a time-out, a reset, a body shorter than its
    // Content-Length or an unfinished chunked body as an error.
    response.complete = curl_easy_perform(handle) == CURLE_OK;
    long status = 0;
    if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK)
        response.status = static_cast<int>(status);
    response.body = std::move(reply.body);
    return response;
}

}  // namespace orv::platform
