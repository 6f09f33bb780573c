#include "editor/x11/X11KeyMap.h"

#include "editor/EditorKeys.h"
#include "framework/VstAbi.h"

#include <X11/keysym.h>

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

KeySym KeySymForHostKey(int character, int virtualKey)
{
    switch (virtualKey) {
    case vst::VKEY_BACK:
        return XK_BackSpace;
    case vst::VKEY_RETURN:
    case vst::VKEY_ENTER:
        return XK_Return;
    case vst::VKEY_ESCAPE:
        return XK_Escape;
    case vst::VKEY_SPACE:
        return XK_space;
    case vst::VKEY_END:
        return XK_End;
    case vst::VKEY_HOME:
        return XK_Home;
    case vst::VKEY_LEFT:
        return XK_Left;
    case vst::VKEY_UP:
        return XK_Up;
    case vst::VKEY_RIGHT:
        return XK_Right;
    case vst::VKEY_DOWN:
        return XK_Down;
    case vst::VKEY_DELETE:
        return XK_Delete;
    default:
        break;
    }
    if (virtualKey >= vst::VKEY_NUMPAD0 && virtualKey <= vst::VKEY_NUMPAD9)
        return XK_0 + static_cast<KeySym>(virtualKey - vst::VKEY_NUMPAD0);
    // Latin-1 characters have key symbols equal to their codes.
    if (character >= 0x20 && character <= 0xff)
        return static_cast<KeySym>(character);
    return NoSymbol;
}
