#include "instrument/UpdateCheck.h"

#include "editor/Graphics.h"
#include "instrument/ProductSite.h"
#include "platform/HttpGet.h"

#include <cstdint>
#include <cstdlib>
#include <exception>

namespace orv::instrument {

namespace {

// Replies encode versions as major digit, minor digit, patch digits.
constexpr int64_t kThisVersionNumber = 2000;
// Longer runs of digits are no version number (and no dialog could show
// them).
constexpr size_t kLongestVersionDigits = 16;
constexpr char kTitle[] = "Check Online for Update";

// The number at the start of a reply: an optional sign, then the run of
// digits up to the first other character.
struct LeadingNumber {
    bool negative = false;
    std::string digits;

    explicit LeadingNumber(const std::string& reply)
    {
        size_t at = 0;
        if (at < reply.size() && (reply[at] == '+' || reply[at] == '-'))
            negative = reply[at++] == '-';
        while (at < reply.size() && reply[at] >= '0' && reply[at] <= '9')
            digits += reply[at++];
    }

    // Only called with at most kLongestVersionDigits digits, which fit.
    int64_t Value() const
    {
        int64_t value = 0;
        for (const char digit : digits)
            value = value * 10 + (digit - '0');
        return negative ? -value : value;
    }
};

// "2001" reads 2.0.1, "2010" 2.0.10, "2105" 2.1.5: a zero in front of the
// patch number is dropped. Made of the digits alone, so nothing else the
// server sent reaches the dialog.
std::string VersionText(const std::string& digits)
{
    const std::string patch = digits.size() > 2 && digits[2] == '0' ? digits.substr(3) : digits.substr(2);
    return digits.substr(0, 1) + "." + digits.substr(1, 1) + "." + patch;
}

std::string ErrorMessage()
{
    return std::string("An error occurred while contacting ") + kVersionQueryHost + ".";
}

}  // namespace

UpdateVerdict JudgeVersionReply(const std::string& reply)
{
    if (reply.empty())
        return {-1, ErrorMessage(), kTitle, editor::MessageButtons::kOkError};
    try {
        const UpdateVerdict invalid{-3, std::string("Invalid call to ") + kVersionQueryHost + ".", kTitle,
                                    editor::MessageButtons::kOkError};
        if (reply.find('<') != std::string::npos)
            return invalid;
        const LeadingNumber number(reply);
        if (number.digits.size() > kLongestVersionDigits)
            return invalid;
        if (number.Value() <= kThisVersionNumber)
            return {0, "Your version is up to date.", kTitle, editor::MessageButtons::kOkInformation};
        const std::string message = std::string("A new version of ") + kProductName + " is available.\n\n" +
                                    "\tYour version: \t" + kProductVersionText + "\n" + "\tNew version: \t" +
                                    VersionText(number.digits) + "\n" + "\nDo you want to go to " + kMakerSiteAddress +
                                    " to get the new version?";
        return {0, message, std::string("New Version of ") + kProductName + " Detected",
                editor::MessageButtons::kYesNo};
    } catch (const std::exception&) {
        return {-2, ErrorMessage(), kTitle, editor::MessageButtons::kOkError};
    }
}

platform::HttpRequest VersionQuery()
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
    return request;
}

int CheckForUpdate(editor::Graphics& graphics, const platform::HttpRequest& query)
{
    const platform::HttpResponse response = platform::HttpGet(query);
    const UpdateVerdict verdict = JudgeVersionReply(response.Succeeded() ? response.body : std::string());
    const editor::MessageAnswer answer =
        graphics.ShowMessage(verdict.message.c_str(), verdict.title.c_str(), verdict.buttons);
    if (verdict.buttons == editor::MessageButtons::kYesNo && answer != editor::kAnswerNo)
        graphics.OpenWebAddress(kDownloadPageUrl);
    return verdict.result;
}

}  // namespace orv::instrument
