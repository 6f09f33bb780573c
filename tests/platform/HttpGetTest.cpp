// The version query's HTTP request against a server on this machine: what is
// sent, and what comes back from servers that answer, hang up, never answer
// or are not there.
#include "HttpGet.h"
#include "LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

platform::HttpRequest RequestTo(int port)
{
    platform::HttpRequest request;
    request.host = "127.0.0.1";
    request.port = port;
    request.path = "music/version/?file=orv";
    request.userAgent = "ORV";
    request.connectTimeoutMilliseconds = 500;
    request.receiveTimeoutMilliseconds = 500;
    return request;
}

}  // namespace

TEST(HttpGet, SendsAPlainGetAndReturnsTheBody)
{
    LoopbackHttpServer server(LoopbackHttpServer::Behaviour::Answer, "2001");
    EXPECT_EQ(platform::HttpGet(RequestTo(server.Port())), "2001");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET /music/version/?file=orv HTTP/1.", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("User-Agent: ORV\r\n"), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("Accept: */*\r\n"), std::string::npos) << requests[0];
}

TEST(HttpGet, NoAnswerOfAnyKindReturnsNothing)
{
    using Behaviour = LoopbackHttpServer::Behaviour;
    // The time-outs end the wait for a server that accepts and stays silent.
    for (const Behaviour behaviour : {Behaviour::CloseAtOnce, Behaviour::NeverAnswer}) {
        LoopbackHttpServer server(behaviour);
        EXPECT_EQ(platform::HttpGet(RequestTo(server.Port())), "") << static_cast<int>(behaviour);
    }
    EXPECT_EQ(platform::HttpGet(RequestTo(LoopbackHttpServer::UnusedPort())), "");
}

TEST(HttpGet, LongBodiesAreCutAtTheLimit)
{
    const std::string megabyte(1 << 20, '7');
    LoopbackHttpServer server(LoopbackHttpServer::Behaviour::Answer, megabyte);
    EXPECT_EQ(platform::HttpGet(RequestTo(server.Port())), megabyte);
    platform::HttpRequest small = RequestTo(server.Port());
    small.maximumBytes = 3000;
    EXPECT_EQ(platform::HttpGet(small), megabyte.substr(0, 3000));
}
