// The window class "ORVEditorWindow", registered by this library while any
// of its editor windows is open (every instance's editor shares it) and
// unregistered when the last one goes, so that no class of ours outlives the
// library with a window procedure pointing into it.
#pragma once

#include <windows.h>

namespace orv::editor {

// Registers the class when no window of ours is open and counts one more
// window. False when the class cannot be registered (nothing is counted).
bool AcquireEditorWindowClass(HINSTANCE instance, WNDPROC windowProc);

// Counts one window less; unregisters the class when none is left.
void ReleaseEditorWindowClass(HINSTANCE instance);

// Unregisters a class left registered because its last window was still
// being destroyed when it was released (a window destroyed together with
// the host's window).
void UnregisterUnusedEditorWindowClass(HINSTANCE instance);

}  // namespace orv::editor
