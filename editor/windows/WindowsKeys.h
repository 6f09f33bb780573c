// The keys the editor's controls understand, from Windows virtual-key codes.
#pragma once

#include <windows.h>

namespace orv::editor {

// The EditorKey for a virtual-key code: space, the four arrows, the digit
// keys and the letter keys; -1 for every other key (the host gets those).
int EditorKeyForVirtualKey(WPARAM virtualKey);

}  // namespace orv::editor
