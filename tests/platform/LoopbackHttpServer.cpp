#include "tests/platform/LoopbackHttpServer.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketLength = int;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketLength = socklen_t;
#endif

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

constexpr int kPollMilliseconds = 20;

#ifdef _WIN32
struct SocketLibrary {
    SocketLibrary()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};
void CloseSocket(intptr_t s)
{
    closesocket(static_cast<SOCKET>(s));
}
bool Readable(intptr_t s)
{
    WSAPOLLFD entry{static_cast<SOCKET>(s), POLLRDNORM, 0};
    return WSAPoll(&entry, 1, kPollMilliseconds) > 0;
}
#else
struct SocketLibrary {};
void CloseSocket(intptr_t s)
{
    close(static_cast<int>(s));
}
bool Readable(intptr_t s)
{
    pollfd entry{static_cast<int>(s), POLLIN, 0};
    return poll(&entry, 1, kPollMilliseconds) > 0;
}
#endif

void StartSockets()
{
    [[maybe_unused]] static SocketLibrary library;
}

// A listening socket on 127.0.0.1 and a free port; -1 on failure.
intptr_t Listen(int& port)
{
    StartSockets();
    const intptr_t s = static_cast<intptr_t>(socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    SocketLength length = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(s, 8) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        CloseSocket(s);
        return -1;
    }
    port = ntohs(address.sin_port);
    return s;
}

void SendAll(intptr_t s, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = static_cast<int>(send(s, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0));
        if (n <= 0)
            return;
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

ServerReply ServerReply::Whole(const std::string& body, int status)
{
    ServerReply reply;
    reply.pieces = {
        Head(status, "Content-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) + "\r\n") + body};
    return reply;
}

std::string ServerReply::Head(int status, const std::string& headers)
{
    return "HTTP/1.1 " + std::to_string(status) + " Status\r\nConnection: close\r\n" + headers + "\r\n";
}

ServerReply ServerReply::CloseAtOnce()
{
    ServerReply reply;
    reply.readsRequest = false;
    return reply;
}

ServerReply ServerReply::NeverAnswer()
{
    ServerReply reply;
    reply.after = After::kHoldOpen;
    return reply;
}

LoopbackHttpServer::LoopbackHttpServer(std::vector<ServerReply> replies) : replies(std::move(replies))
{
    listener = Listen(port);
    if (listener >= 0)
        thread = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    stopping = true;
    if (thread.joinable())
        thread.join();
    if (listener >= 0)
        CloseSocket(listener);
}

std::vector<std::string> LoopbackHttpServer::Requests()
{
    std::lock_guard<std::mutex> guard(requestsLock);
    return requests;
}

int LoopbackHttpServer::UnusedPort()
{
    int port = 0;
    const intptr_t s = Listen(port);
    CloseSocket(s);
    return port;
}

bool LoopbackHttpServer::Pause(int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!stopping && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
    return !stopping;
}

void LoopbackHttpServer::Answer(intptr_t client, const ServerReply& reply)
{
    char chunk[512];
    if (reply.readsRequest) {
        std::string request;
        while (!stopping && request.find("\r\n\r\n") == std::string::npos) {
            if (!Readable(client))
                continue;
            const int n = static_cast<int>(recv(client, chunk, sizeof chunk, 0));
            if (n <= 0)
                break;
            request.append(chunk, static_cast<size_t>(n));
        }
        std::lock_guard<std::mutex> guard(requestsLock);
        requests.push_back(request);
    }
    for (size_t i = 0; i < reply.pieces.size(); ++i) {
        if (i > 0 && !Pause(reply.pauseMilliseconds))
            return;
        SendAll(client, reply.pieces[i]);
    }
    if (reply.after == ServerReply::After::kHoldOpen)
        while (!stopping)
            if (Readable(client) && recv(client, chunk, sizeof chunk, 0) <= 0)
                break;
}

void LoopbackHttpServer::Serve()
{
    size_t served = 0;
    while (!stopping) {
        if (!Readable(listener))
            continue;
        const intptr_t client = static_cast<intptr_t>(accept(listener, nullptr, nullptr));
        if (client < 0)
            continue;
        if (!replies.empty())
            Answer(client, replies[std::min(served++, replies.size() - 1)]);
        CloseSocket(client);
    }
}
