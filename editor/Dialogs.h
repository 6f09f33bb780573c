// The kinds of questions the editor asks the user through its window.
#pragma once

namespace orv::editor {

// The buttons of a message box; an OK box may carry an error or information
// icon.
enum class MessageButtons { kOk, kYesNo, kOkError, kOkInformation };

// The icon of a box where every box carries one (the desktop's dialog
// programs, and our own drawn dialog that stands in for them): a plain OK box
// informs.
enum class MessageIcon { kInformation, kError, kQuestion };

constexpr MessageIcon IconOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::kYesNo:
        return MessageIcon::kQuestion;
    case MessageButtons::kOkError:
        return MessageIcon::kError;
    default:
        return MessageIcon::kInformation;
    }
}

// Answers of a message box (the values of the Windows message box results).
enum MessageAnswer : int {
    kAnswerNone = 0,
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

enum class FileDialogMode { kOpen = 0, kSave = 1 };

}  // namespace orv::editor
