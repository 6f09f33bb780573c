#include "editor/EditorGraphics.h"

#include "editor/windows/GraphicsWin.h"

// Windows builds show the editor in a child window of the host's window.
std::unique_ptr<Graphics> CreateEditorGraphics(PluginBase* plug)
{
    return std::make_unique<GraphicsWin>(plug);
}
