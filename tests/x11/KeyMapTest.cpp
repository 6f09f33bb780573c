// Keys reach the controls as the same editor keys whichever way they came:
// X key symbols of our window's events, or the host's virtual keys.
#include <gtest/gtest.h>

#include "editor/EditorKeys.h"
#include "editor/x11/X11KeyMap.h"
#include "framework/HostKey.h"
#include "framework/VstAbi.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace orv::editor;
using namespace orv::framework;

namespace {

TEST(KeyMap, EditorKeysFromKeySymsAndHostKeys)
{
    struct Case {
        KeySym keySym;
        int character;   // effEditKeyDown's index
        int virtualKey;  // and value
        int editorKey;
    };
    const Case cases[] = {
        {XK_space, ' ', vst::VKEY_SPACE, kKeySpace},
        {XK_Up, 0, vst::VKEY_UP, kKeyUp},
        {XK_Down, 0, vst::VKEY_DOWN, kKeyDown},
        {XK_Left, 0, vst::VKEY_LEFT, kKeyLeft},
        {XK_Right, 0, vst::VKEY_RIGHT, kKeyRight},
        {XK_0, '0', 0, kKeyDigit0},
        {XK_9, '9', 0, kKeyDigit0 + 9},
        {XK_KP_7, 0, vst::VKEY_NUMPAD0 + 7, kKeyDigit0 + 7},
        {XK_A, 'A', 0, kKeyLetterA},
        {XK_z, 'z', 0, kKeyLetterZ},
        {XK_F1, 0, 0, -1},
        {XK_Escape, 0, vst::VKEY_ESCAPE, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EditorKeyForKeySym(c.keySym), c.editorKey) << XKeysymToString(c.keySym);
        if (c.character != 0 || c.virtualKey != 0) {
            EXPECT_EQ(EditorKeyForKeySym(KeySymForHostKey(HostKeyFromVst(c.character, c.virtualKey))), c.editorKey)
                << XKeysymToString(c.keySym);
        }
    }
    EXPECT_EQ(KeySymForHostKey(HostKeyFromVst(0, vst::VKEY_RETURN)), static_cast<KeySym>(XK_Return));
    EXPECT_EQ(KeySymForHostKey(HostKeyFromVst(0, vst::VKEY_BACK)), static_cast<KeySym>(XK_BackSpace));
    EXPECT_EQ(KeySymForHostKey(HostKeyFromVst(0, 0)), static_cast<KeySym>(NoSymbol));
}

}  // namespace
