// A web server on 127.0.0.1, on a port chosen by the system, that answers
// every request the way a test asks: with a body, by closing the connection
// at once, or by never answering at all. It records the requests it read.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    enum class Behaviour { Answer, CloseAtOnce, NeverAnswer };

    LoopbackHttpServer(Behaviour behaviour, std::string body = {});
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int Port() const { return port; }
    std::vector<std::string> Requests();

    // A port on which nothing listens: connections to it are refused.
    static int UnusedPort();

private:
    void Serve();

    Behaviour behaviour;
    std::string body;
    intptr_t listener = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    std::mutex requestsLock;
    std::vector<std::string> requests;
    std::thread thread;
};
