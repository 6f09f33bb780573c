#include "UpdateCheck.h"

#include "Graphics.h"
#include "HttpGet.h"
#include "ProductSite.h"

#include <climits>
#include <cstdlib>
#include <exception>

namespace {

// Replies encode versions as major digit, minor digit, patch digits.
constexpr long kThisVersionNumber = 2000;
constexpr char kTitle[] = "Check Online for Update";

// The reply as a decimal integer: an optional sign, then digits up to the
// first other character. Absurdly long numbers saturate.
long LeadingInteger(const std::string& reply)
{
    size_t at = 0;
    bool negative = false;
    if (at < reply.size() && (reply[at] == '+' || reply[at] == '-'))
        negative = reply[at++] == '-';
    long value = 0;
    for (; at < reply.size() && reply[at] >= '0' && reply[at] <= '9'; ++at)
        value = value > (LONG_MAX - 9) / 10 ? LONG_MAX : value * 10 + (reply[at] - '0');
    return negative ? -value : value;
}

// "2001" reads 2.0.1, "2010" 2.0.10, "2105" 2.1.5: a zero in front of the
// patch number is dropped.
std::string VersionText(const std::string& reply)
{
    const std::string patch = reply.size() > 2 && reply[2] == '0' ? reply.substr(3) : reply.substr(2);
    return reply.substr(0, 1) + "." + reply.substr(1, 1) + "." + patch;
}

std::string ErrorMessage()
{
    return std::string("An error occurred while contacting ") + kVersionQueryHost + ".";
}

}  // namespace

UpdateVerdict JudgeVersionReply(const std::string& reply)
{
    using Box = UpdateVerdict::Box;
    if (reply.empty())
        return {-1, ErrorMessage(), kTitle, Box::ErrorOk};
    try {
        if (reply.find('<') != std::string::npos)
            return {-3, std::string("Invalid call to ") + kVersionQueryHost + ".", kTitle, Box::ErrorOk};
        if (LeadingInteger(reply) <= kThisVersionNumber)
            return {0, "Your version is up to date.", kTitle, Box::InformationOk};
        const std::string message = std::string("A new version of ") + kProductName + " is available.\n\n" +
                                    "\tYour version: \t" + kProductVersionText + "\n" + "\tNew version: \t" +
                                    VersionText(reply) + "\n" + "\nDo you want to go to " + kMakerSiteAddress +
                                    " to get the new version?";
        return {0, message, std::string("New Version of ") + kProductName + " Detected", Box::YesNo};
    } catch (const std::exception&) {
        return {-2, ErrorMessage(), kTitle, Box::ErrorOk};
    }
}

std::string QueryNewestVersion()
{
    platform::HttpRequest request;
    request.host = kVersionQueryHost;
    request.port = kVersionQueryPort;
    request.path = kVersionQueryPath;
    request.userAgent = kProductName;
    if (const char* override = std::getenv(kVersionQueryOverride); override != nullptr && *override != '\0') {
        const std::string address = override;
        const size_t colon = address.rfind(':');
        request.host = address.substr(0, colon);
        if (colon != std::string::npos)
            request.port = std::atoi(address.c_str() + colon + 1);
    }
    return platform::HttpGet(request);
}

int CheckForUpdate(Graphics& graphics)
{
    const UpdateVerdict verdict = JudgeVersionReply(QueryNewestVersion());
    MessageButtons buttons = MessageButtons::kYesNo;
    if (verdict.box == UpdateVerdict::Box::ErrorOk)
        buttons = MessageButtons::kOkError;
    else if (verdict.box == UpdateVerdict::Box::InformationOk)
        buttons = MessageButtons::kOkInformation;
    const MessageAnswer answer = graphics.ShowMessage(verdict.message.c_str(), verdict.title.c_str(), buttons);
    if (verdict.box == UpdateVerdict::Box::YesNo && answer != kAnswerNo)
        graphics.OpenWebAddress(kDownloadPageUrl);
    return verdict.result;
}
