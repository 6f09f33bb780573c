// Keys as the editor knows them, from the two ways they reach an X11
// editor: X key symbols (our window's own events, real or sent by the host)
// and the keys the host passes on through the plug-in.
#pragma once

#include "framework/HostKey.h"

#include <X11/X.h>

namespace orv::editor {

// The editor key (EditorKey) for a key symbol: space, the arrows, digits
// (keypad ones too) and letters of either case; -1 for every other key.
int EditorKeyForKeySym(KeySym keySym);

// The same key symbol for a key the host passed on: the key's name when it
// has one we read, else the character. NoSymbol when neither means anything.
KeySym KeySymForHostKey(const framework::HostKey& key);

}  // namespace orv::editor
