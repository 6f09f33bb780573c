#include "EditorGraphics.h"

// The one place that picks the window class: the platform windows return
// theirs here, and the plug-in then advertises its editor to hosts.
std::unique_ptr<Graphics> CreateEditorGraphics(PluginBase* plug)
{
    return std::make_unique<Graphics>(plug);
}
