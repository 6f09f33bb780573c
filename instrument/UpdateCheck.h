// "Check Online for Update": asks the maker's web site for the newest
// version number and says what it means for the user.
#pragma once

#include <string>

// What the user is told about one reply, and how.
struct UpdateVerdict {
    enum class Box { ErrorOk, InformationOk, YesNo };
    // 0: a definite answer; -1: no reply; -2: the evaluation failed;
    // -3: the reply was not a version number.
    int result = 0;
    std::string message;
    std::string title;
    Box box = Box::ErrorOk;
};

// The reply of the version query (empty when none arrived) judged against
// this version. A YesNo verdict asks whether to open the download page.
UpdateVerdict JudgeVersionReply(const std::string& reply);

// The body of the version query's reply, empty when none came in time.
std::string QueryNewestVersion();

class Graphics;

// The whole check on the user's request: the query, the verdict in a message
// box owned by the editor, and the download page opened unless the user
// declines. Returns the verdict's result.
int CheckForUpdate(Graphics& graphics);
