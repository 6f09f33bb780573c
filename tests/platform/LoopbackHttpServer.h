// A web server on 127.0.0.1, on a port chosen by the system, that treats each
// connection the way a test asks: a whole reply, bytes sent in pieces with
// pauses, a connection closed or held open midway, or no answer at all. It
// records the requests it read.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What the server does with one connection.
struct ServerReply {
    enum class After { kClose, kHoldOpen };

    bool readsRequest = true;         // false: the connection is closed at once
    std::vector<std::string> pieces;  // sent in turn, exactly as given
    int pauseMilliseconds = 0;        // before every piece but the first
    After after = After::kClose;      // kHoldOpen: until the client gives up

    // A whole reply: the status line, Content-Length and the body.
    static ServerReply Whole(const std::string& body, int status = 200);
    // The head of a reply with the given extra header lines (each ending in
    // "\r\n"), ready for a body to follow.
    static std::string Head(int status, const std::string& headers);
    static ServerReply CloseAtOnce();
    static ServerReply NeverAnswer();
};

class LoopbackHttpServer {
public:
    // The n-th connection gets the n-th reply; the last one repeats.
    explicit LoopbackHttpServer(std::vector<ServerReply> replies);
    explicit LoopbackHttpServer(ServerReply reply) : LoopbackHttpServer(std::vector<ServerReply>{std::move(reply)}) {}
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int Port() const { return port; }
    std::vector<std::string> Requests();

    // A port on which nothing listens: connections to it are refused.
    static int UnusedPort();

private:
    void Serve();
    void Answer(intptr_t client, const ServerReply& reply);
    bool Pause(int milliseconds);  // false when the server is stopping

    std::vector<ServerReply> replies;
    intptr_t listener = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    std::mutex requestsLock;
    std::vector<std::string> requests;
    std::thread thread;
};
