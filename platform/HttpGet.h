// One plain-HTTP GET request whose body is returned as bytes: the instrument
// asks its maker's web site for the newest version number this way. Every
// request is bounded in time and size, so a server that accepts the
// connection and never answers cannot hold the caller (the editor's user
// interface thread) for long.
#pragma once

#include <cstddef>
#include <string>

namespace orv::platform {

struct HttpRequest {
    std::string host;
    int port = 80;
    std::string path;  // without the leading "/", e.g. "music/version/?file=orv"
    std::string userAgent;
    std::string acceptedType = "*/*";
    int connectTimeoutMilliseconds = 5000;
    // Each wait for data, and (added to the connect time-out) the whole
    // transfer: a server that drips its reply is given up as well.
    int receiveTimeoutMilliseconds = 5000;
    size_t maximumBytes = 1 << 20;  // a longer body is not taken
};

struct HttpResponse {
    // The transfer ended the way HTTP ends a whole reply: no connection or
    // protocol error, no time-out, every byte the server announced, and no
    // more than the request's maximum.
    bool complete = false;
    // The final status after redirects; 0 when no status line arrived.
    int status = 0;
    // What arrived of the body: the whole body only when complete.
    std::string body;

    static constexpr int kFirstSuccessStatus = 200;
    static constexpr int kLastSuccessStatus = 299;

    // A whole reply with a success status.
    bool Succeeded() const { return complete && status >= kFirstSuccessStatus && status <= kLastSuccessStatus; }
};

HttpResponse HttpGet(const HttpRequest& request);

}  // namespace orv::platform
