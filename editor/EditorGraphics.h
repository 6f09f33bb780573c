// The graphics context this build gives the instrument: the platform's
// window class where one exists, else the windowless context (the editor is
// then not offered to hosts, but its controls still follow the parameters).
#pragma once

#include "editor/Graphics.h"

#include <memory>

namespace orv::editor {

std::unique_ptr<Graphics> CreateEditorGraphics(framework::PluginBase* plug);

}  // namespace orv::editor
