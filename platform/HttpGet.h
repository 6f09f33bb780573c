// One plain-HTTP GET request whose body is returned as bytes: the instrument
// asks its maker's web site for the newest version number this way. Every
// request is bounded in time and size, so a server that accepts the
// connection and never answers cannot hold the caller (the editor's user
// interface thread) for long.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

struct HttpRequest {
    std::string host;
    int port = 80;
    std::string path;  // without the leading "/", e.g. "music/version/?file=orv"
    std::string userAgent;
    std::string acceptedType = "*/*";
    int connectTimeoutMilliseconds = 5000;
    int receiveTimeoutMilliseconds = 5000;
    size_t maximumBytes = 1 << 20;  // longer bodies are cut here
};

// The response body as far as it arrived, whatever the status code; empty
// when no connection could be made, nothing was sent back, or the server did
// not answer in time.
std::string HttpGet(const HttpRequest& request);

}  // namespace platform
