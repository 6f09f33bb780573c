#include "editor/EditorGraphics.h"

#include "editor/windows/GraphicsWin.h"

namespace orv::editor {

// Windows builds show the editor in a child window of the host's window.
std::unique_ptr<Graphics> CreateEditorGraphics(framework::PluginBase* plug)
{
    return std::make_unique<GraphicsWin>(plug);
}

}  // namespace orv::editor
