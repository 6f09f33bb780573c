#include "editor/x11/X11KeyMap.h"

#include "editor/EditorKeys.h"

#include <X11/keysym.h>

namespace orv::editor {

int EditorKeyForKeySym(KeySym keySym)
{
    switch (keySym) {
    case XK_space:
        return kKeySpace;
    case XK_Up:
        return kKeyUp;
    case XK_Down:
        return kKeyDown;
    case XK_Left:
        return kKeyLeft;
    case XK_Right:
        return kKeyRight;
    default:
        break;
    }
    if (keySym >= XK_0 && keySym <= XK_9)
        return kKeyDigit0 + static_cast<int>(keySym - XK_0);
    // Keypad digits are digits too (as the host's virtual keys say); other
    // keypad and function keys are no letters.
    if (keySym >= XK_KP_0 && keySym <= XK_KP_9)
        return kKeyDigit0 + static_cast<int>(keySym - XK_KP_0);
    if (keySym >= XK_A && keySym <= XK_Z)
        return kKeyLetterA + static_cast<int>(keySym - XK_A);
    if (keySym >= XK_a && keySym <= XK_z)
        return kKeyLetterA + static_cast<int>(keySym - XK_a);
    return -1;
}

KeySym KeySymForHostKey(const framework::HostKey& key)
{
    using Name = framework::HostKey::Name;
    switch (key.name) {
    case Name::kBackspace:
        return XK_BackSpace;
    case Name::kReturn:
        return XK_Return;
    case Name::kEscape:
        return XK_Escape;
    case Name::kSpace:
        return XK_space;
    case Name::kEnd:
        return XK_End;
    case Name::kHome:
        return XK_Home;
    case Name::kLeft:
        return XK_Left;
    case Name::kUp:
        return XK_Up;
    case Name::kRight:
        return XK_Right;
    case Name::kDown:
        return XK_Down;
    case Name::kDelete:
        return XK_Delete;
    case Name::kKeypadDigit:
        return XK_0 + static_cast<KeySym>(key.digit);
    case Name::kNone:
    case Name::kOther:
        break;
    }
    // Latin-1 characters have key symbols equal to their codes.
    if (key.character >= 0x20 && key.character <= 0xff)
        return static_cast<KeySym>(key.character);
    return NoSymbol;
}

}  // namespace orv::editor
