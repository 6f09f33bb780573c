#include "../HttpGet.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <string>

namespace platform {

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

}  // namespace

std::string HttpGet(const HttpRequest& request)
{
    std::string reply;
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
        char buffer[kReadSize];
        DWORD read = 0;
        while (reply.size() < request.maximumBytes && InternetReadFile(httpRequest, buffer, kReadSize, &read) &&
               read > 0)
            reply.append(buffer, std::min<size_t>(read, request.maximumBytes - reply.size()));
    }
    CloseIfOpen(httpRequest);
    CloseIfOpen(connection);
    CloseIfOpen(internet);
    return reply;
}

}  // namespace platform
