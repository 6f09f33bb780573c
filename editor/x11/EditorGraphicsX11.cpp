#include "editor/EditorGraphics.h"

#include "editor/x11/GraphicsX11.h"

namespace orv::editor {

// Linux builds show the editor in an X11 child of the host's window.
std::unique_ptr<Graphics> CreateEditorGraphics(framework::PluginBase* plug)
{
    return std::make_unique<GraphicsX11>(plug);
}

}  // namespace orv::editor
