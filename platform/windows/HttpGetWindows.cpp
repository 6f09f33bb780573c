#include "platform/HttpGet.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

namespace orv::platform {

namespace {

constexpr DWORD kReadSize = 1024;

void SetTimeout(HINTERNET handle, DWORD option, int milliseconds)
{
    DWORD value = static_cast<DWORD>(std::max(milliseconds, 1));
    InternetSetOptionA(handle, option, &value, sizeof value);
}

void SetTimeouts(HINTERNET handle, const HttpRequest& request)
{
    SetTimeout(handle, INTERNET_OPTION_CONNECT_TIMEOUT, request.connectTimeoutMilliseconds);
    SetTimeout(handle, INTERNET_OPTION_SEND_TIMEOUT, request.receiveTimeoutMilliseconds);
    SetTimeout(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, request.receiveTimeoutMilliseconds);
}

void CloseIfOpen(HINTERNET handle)
{
    if (handle != nullptr)
        InternetCloseHandle(handle);
}

// A number from the reply's header (status code, Content-Length), if there
// is one.
std::optional<DWORD> HeaderNumber(HINTERNET request, DWORD query)
{
    DWORD number = 0;
    DWORD size = sizeof number;
    if (!HttpQueryInfoA(request, query | HTTP_QUERY_FLAG_NUMBER, &number, &size, nullptr))
        return std::nullopt;
    return number;
}

using Clock = std::chrono::steady_clock;

// Reads the body until WinINet reports its end. False when a read fails
// (a reset, a time-out), the deadline passes or the body grows beyond the
// limit: what was read so far is then not the whole body.
bool ReadBody(HINTERNET request, size_t limit, Clock::time_point deadline, std::string& body)
{
    char buffer[kReadSize];
    while (true) {
        // Each read has its own time-out; a server that drips its reply
        // slowly enough would pass every one of them.
        if (Clock::now() > deadline)
            return false;
        DWORD read = 0;
        if (!InternetReadFile(request, buffer, kReadSize, &read))
            return false;
        if (read == 0)
            return true;
        if (read > limit - body.size()) {
            body.append(buffer, limit - body.size());
            return false;
        }
        body.append(buffer, read);
    }
}

}  // namespace

HttpResponse HttpGet(const HttpRequest& request)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(request.connectTimeoutMilliseconds) +
                                       std::chrono::milliseconds(request.receiveTimeoutMilliseconds);
    HttpResponse response;
    HINTERNET internet = InternetOpenA(request.userAgent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET connection = nullptr;
    HINTERNET httpRequest = nullptr;
    if (internet != nullptr) {
        // Without these a server that accepts and never answers would block
        // for as long as the system allows.
        SetTimeouts(internet, request);
        connection = InternetConnectA(internet, request.host.c_str(), static_cast<INTERNET_PORT>(request.port), nullptr,
                                      nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    }
    if (connection != nullptr) {
        const char* acceptedTypes[] = {request.acceptedType.c_str(), nullptr};
        httpRequest = HttpOpenRequestA(connection, "GET", request.path.c_str(), nullptr, nullptr, acceptedTypes, 0, 0);
    }
    // Handles inherit the session's time-outs on Windows, but not in every
    // WinINet (Wine's), so the request gets them as well.
    if (httpRequest != nullptr)
        SetTimeouts(httpRequest, request);
    if (httpRequest != nullptr && HttpSendRequestA(httpRequest, nullptr, 0, nullptr, 0)) {
        // WinINet has followed any redirect: this is the final status.
        response.status = static_cast<int>(HeaderNumber(httpRequest, HTTP_QUERY_STATUS_CODE).value_or(0));
        const std::optional<DWORD> announced = HeaderNumber(httpRequest, HTTP_QUERY_CONTENT_LENGTH);
        // A connection closed early ends the reads as quietly as the true
        // end of the body; only the announced length tells them apart.
        // Without a status line nothing that follows is a reply (Wine's
        // 32-bit WinINet sends a request into a closed connection without an
        // error).
        response.complete = response.status != 0 &&
                            ReadBody(httpRequest, request.maximumBytes, deadline, response.body) &&
                            (!announced.has_value() || response.body.size() == *announced);
    }
    CloseIfOpen(httpRequest);
    CloseIfOpen(connection);
    CloseIfOpen(internet);
    return response;
}

}  // namespace orv::platform
