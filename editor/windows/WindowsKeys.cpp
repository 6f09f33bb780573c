#include "editor/windows/WindowsKeys.h"

#include "editor/EditorKeys.h"

namespace orv::editor {

int EditorKeyForVirtualKey(WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_SPACE:
        return kKeySpace;
    case VK_UP:
        return kKeyUp;
    case VK_DOWN:
        return kKeyDown;
    case VK_LEFT:
        return kKeyLeft;
    case VK_RIGHT:
        return kKeyRight;
    default:
        break;
    }
    // The digit and letter keys have the codes of their ASCII characters.
    // Codes 'a' to 'z' are other keys (the numeric keypad, F1 to F11), not
    // letters, so they stay unmapped.
    if (virtualKey >= '0' && virtualKey <= '9')
        return kKeyDigit0 + static_cast<int>(virtualKey - '0');
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return kKeyLetterA + static_cast<int>(virtualKey - 'A');
    return -1;
}

}  // namespace orv::editor
