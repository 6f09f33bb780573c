// The version query's HTTP request against a server on this machine: what is
// sent, and what comes back from servers that answer, hang up, never answer
// or are not there. (How each kind of reply reaches the user is the update
// check's test.)
#include "platform/HttpGet.h"
#include "tests/platform/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <string>

using namespace orv::platform;

namespace {

orv::platform::HttpRequest RequestTo(int port)
{
    orv::platform::HttpRequest request;
    request.host = "127.0.0.1";
    request.port = port;
    request.path = "music/version/?file=orv";
    request.userAgent = "ORV";
    request.connectTimeoutMilliseconds = 500;
    request.receiveTimeoutMilliseconds = 500;
    return request;
}

}  // namespace

TEST(HttpGet, SendsAPlainGetAndReturnsTheBodyAndStatus)
{
    LoopbackHttpServer server(ServerReply::Whole("2001"));
    const orv::platform::HttpResponse response = orv::platform::HttpGet(RequestTo(server.Port()));
    EXPECT_TRUE(response.Succeeded());
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body, "2001");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET /music/version/?file=orv HTTP/1.", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("User-Agent: ORV\r\n"), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("Accept: */*\r\n"), std::string::npos) << requests[0];

    LoopbackHttpServer missing(ServerReply::Whole("gone", 404));
    const orv::platform::HttpResponse notFound = orv::platform::HttpGet(RequestTo(missing.Port()));
    EXPECT_TRUE(notFound.complete);
    EXPECT_EQ(notFound.status, 404);
    EXPECT_FALSE(notFound.Succeeded());
}

TEST(HttpGet, NoAnswerOfAnyKindIsNoWholeReply)
{
    // The time-outs end the wait for a server that accepts and stays silent.
    for (const ServerReply& reply : {ServerReply::CloseAtOnce(), ServerReply::NeverAnswer()}) {
        LoopbackHttpServer server(reply);
        const orv::platform::HttpResponse response = orv::platform::HttpGet(RequestTo(server.Port()));
        EXPECT_FALSE(response.complete);
        EXPECT_EQ(response.body, "");
    }
    EXPECT_FALSE(orv::platform::HttpGet(RequestTo(LoopbackHttpServer::UnusedPort())).complete);
}

TEST(HttpGet, ABodyBeyondTheLimitIsNotTaken)
{
    const std::string megabyte(1 << 20, '7');
    LoopbackHttpServer server(ServerReply::Whole(megabyte));
    EXPECT_EQ(orv::platform::HttpGet(RequestTo(server.Port())).body, megabyte);
    orv::platform::HttpRequest small = RequestTo(server.Port());
    small.maximumBytes = 3000;
    const orv::platform::HttpResponse cut = orv::platform::HttpGet(small);
    EXPECT_FALSE(cut.complete);
    EXPECT_LE(cut.body.size(), 3000u);
}
