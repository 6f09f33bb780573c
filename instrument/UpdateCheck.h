// "Check Online for Update": asks the maker's web site for the newest
// version number and says what it means for the user.
#pragma once

#include "editor/Dialogs.h"
#include "platform/HttpGet.h"

#include <string>

namespace orv::editor {
class Graphics;
}  // namespace orv::editor

namespace orv::instrument {

// What the user is told about one reply, and how.
struct UpdateVerdict {
    // 0: a definite answer; -1: no reply; -2: the evaluation failed;
    // -3: the reply was not a version number.
    int result = 0;
    std::string message;
    std::string title;
    editor::MessageButtons buttons = editor::MessageButtons::kOkError;
};

// The reply of the version query (empty when none arrived) judged against
// this version. A Yes/No verdict asks whether to open the download page.
UpdateVerdict JudgeVersionReply(const std::string& reply);

// The request to the maker's site (tests point it elsewhere through the
// override variable).
platform::HttpRequest VersionQuery();

// The whole check on the user's request: the query, the verdict in a message
// box owned by the editor, and the download page opened unless the user
// declines. Only a whole reply with a success status is a reply: a transfer
// cut short or an error page is none. Returns the verdict's result.
int CheckForUpdate(editor::Graphics& graphics, const platform::HttpRequest& query = VersionQuery());

}  // namespace orv::instrument
