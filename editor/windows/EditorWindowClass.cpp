#include "editor/windows/EditorWindowClass.h"

#include "editor/windows/GraphicsWin.h"

#include <mutex>

namespace orv::editor {

namespace {

// Editors of several instances may be opened on different host threads.
std::mutex registrationMutex;
int openWindows = 0;
bool registered = false;

void UnregisterWhenUnused(HINSTANCE instance)
{
    // Fails while a window of the class still exists; a later call retries.
    if (openWindows == 0 && registered && UnregisterClassA(GraphicsWin::kWindowClassName, instance))
        registered = false;
}

}  // namespace

bool AcquireEditorWindowClass(HINSTANCE instance, WNDPROC windowProc)
{
    std::lock_guard<std::mutex> lock(registrationMutex);
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = GraphicsWin::kWindowClassName;
        if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return false;
        registered = true;
    }
    ++openWindows;
    return true;
}

void ReleaseEditorWindowClass(HINSTANCE instance)
{
    std::lock_guard<std::mutex> lock(registrationMutex);
    if (openWindows > 0)
        --openWindows;
    UnregisterWhenUnused(instance);
}

void UnregisterUnusedEditorWindowClass(HINSTANCE instance)
{
    std::lock_guard<std::mutex> lock(registrationMutex);
    UnregisterWhenUnused(instance);
}

}  // namespace orv::editor
