#include "../HttpGet.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <string>

namespace platform {

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
    // Returning less than was offered ends the transfer.
    return kept == bytes ? bytes : 0;
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

std::string HttpGet(const HttpRequest& request)
{
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return {};
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
    // Whatever arrived before an error (a cut connection, the size limit)
    // is the reply.
    curl_easy_perform(handle);
    return reply.body;
}

}  // namespace platform
