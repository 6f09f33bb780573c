// "Check Online for Update" against a web server on this machine: what the
// user is told for each kind of reply, and when the download page opens.
#include "UpdateCheck.h"
#include "LoopbackHttpServer.h"
#include "ProductSite.h"
#include "ScriptedGraphics.h"
#include "VersionQueryAt.h"

#include <gtest/gtest.h>

#include <string>

using editortest::ScriptedGraphics;
using Behaviour = LoopbackHttpServer::Behaviour;

namespace {

constexpr char kTitle[] = "Check Online for Update";

std::string NewVersionMessage(const std::string& version)
{
    return std::string("A new version of ORV is available.\n\n\tYour version: \t2.0.0\n\tNew version: \t") + version +
           "\n\nDo you want to go to www.tarnwick.com to get the new version?";
}

}  // namespace

TEST(UpdateCheck, EveryKindOfReplyIsReportedAsTheUserExpects)
{
    const std::string upToDate = "Your version is up to date.";
    const std::string noReply = "An error occurred while contacting www.tarnwick.com.";
    const std::string newTitle = "New Version of ORV Detected";
    struct Case {
        const char* what;
        Behaviour behaviour;
        std::string body;
        MessageAnswer answer;
        int result;
        std::string message;  // empty: only the start is checked below
        std::string title;
        MessageButtons buttons;
        bool opensDownloadPage;
    };
    const Case cases[] = {
        {"current", Behaviour::Answer, "2000", kAnswerOk, 0, upToDate, kTitle, MessageButtons::kOkInformation, false},
        {"patch", Behaviour::Answer, "2001", kAnswerYes, 0, NewVersionMessage("2.0.1"), newTitle,
         MessageButtons::kYesNo, true},
        {"two-digit patch", Behaviour::Answer, "2010", kAnswerYes, 0, NewVersionMessage("2.0.10"), newTitle,
         MessageButtons::kYesNo, true},
        {"declined", Behaviour::Answer, "3000", kAnswerNo, 0, NewVersionMessage("3.0.0"), newTitle,
         MessageButtons::kYesNo, false},
        {"older", Behaviour::Answer, "1999", kAnswerOk, 0, upToDate, kTitle, MessageButtons::kOkInformation, false},
        {"zero", Behaviour::Answer, "0", kAnswerOk, 0, upToDate, kTitle, MessageButtons::kOkInformation, false},
        {"letters", Behaviour::Answer, "latest", kAnswerOk, 0, upToDate, kTitle, MessageButtons::kOkInformation, false},
        {"leading space", Behaviour::Answer, " 2001", kAnswerOk, 0, upToDate, kTitle, MessageButtons::kOkInformation,
         false},
        {"NUL bytes", Behaviour::Answer,
         std::string("20\0\0"
                     "01",
                     6),
         kAnswerOk, 0, upToDate, kTitle, MessageButtons::kOkInformation, false},
        {"invalid UTF-8", Behaviour::Answer, "\xff\xfe\x80", kAnswerOk, 0, upToDate, kTitle,
         MessageButtons::kOkInformation, false},
        {"negative", Behaviour::Answer, "-5000", kAnswerOk, 0, upToDate, kTitle, MessageButtons::kOkInformation, false},
        {"signed", Behaviour::Answer, "+2001", kAnswerYes, 0, NewVersionMessage("+.2.01"), newTitle,
         MessageButtons::kYesNo, true},
        {"10 000 digits", Behaviour::Answer, std::string(10000, '9'), kAnswerNo, 0, "", newTitle,
         MessageButtons::kYesNo, false},
        {"1 MB", Behaviour::Answer, std::string(1 << 20, '4'), kAnswerNo, 0, "", newTitle, MessageButtons::kYesNo,
         false},
        {"HTML page", Behaviour::Answer, "<html><body>Not Found</body></html>", kAnswerOk, -3,
         "Invalid call to www.tarnwick.com.", kTitle, MessageButtons::kOkError, false},
        {"empty body", Behaviour::Answer, "", kAnswerOk, -1, noReply, kTitle, MessageButtons::kOkError, false},
        {"closed connection", Behaviour::CloseAtOnce, "", kAnswerOk, -1, noReply, kTitle, MessageButtons::kOkError,
         false},
        {"never answers", Behaviour::NeverAnswer, "", kAnswerOk, -1, noReply, kTitle, MessageButtons::kOkError, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoopbackHttpServer server(c.behaviour, c.body);
        VersionQueryAt query(server.Port());
        ScriptedGraphics graphics(nullptr);
        graphics.messageAnswers.push_back(c.answer);
        EXPECT_EQ(CheckForUpdate(graphics), c.result);
        ASSERT_EQ(graphics.messages.size(), 1u);
        if (!c.message.empty())
            EXPECT_EQ(graphics.messages[0].text, c.message);
        else
            EXPECT_EQ(graphics.messages[0].text.rfind("A new version of ORV is available.", 0), 0u);
        EXPECT_EQ(graphics.messages[0].caption, c.title);
        EXPECT_EQ(graphics.messages[0].buttons, c.buttons);
        const std::vector<std::string> opened =
            c.opensDownloadPage ? std::vector<std::string>{kDownloadPageUrl} : std::vector<std::string>{};
        EXPECT_EQ(graphics.webAddresses, opened);
    }
}

TEST(UpdateCheck, NoServerAtAllIsNoReply)
{
    VersionQueryAt query(LoopbackHttpServer::UnusedPort());
    ScriptedGraphics graphics(nullptr);
    EXPECT_EQ(CheckForUpdate(graphics), -1);
    ASSERT_EQ(graphics.messages.size(), 1u);
    EXPECT_EQ(graphics.messages[0].text, "An error occurred while contacting www.tarnwick.com.");
    EXPECT_TRUE(graphics.webAddresses.empty());
}
