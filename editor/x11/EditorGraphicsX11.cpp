#include "editor/EditorGraphics.h"

#include "editor/x11/GraphicsX11.h"

// Linux builds show the editor in an X11 child of the host's window.
std::unique_ptr<Graphics> CreateEditorGraphics(PluginBase* plug)
{
    return std::make_unique<GraphicsX11>(plug);
}
