// Keys as the editor knows them, from the two ways they reach an X11
// editor: X key symbols (our window's own events, real or sent by the host)
// and the VST virtual keys of effEditKeyDown/Up.
#pragma once

#include <X11/X.h>

// The editor key (EditorKey) for a key symbol: space, the arrows, digits
// (keypad ones too) and letters of either case; -1 for every other key.
int EditorKeyForKeySym(KeySym keySym);

// The same key symbol for a key the host passed on: the virtual key when it
// names one, else the character. NoSymbol when neither means anything.
KeySym KeySymForHostKey(int character, int virtualKey);
