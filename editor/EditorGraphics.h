// The graphics context this build gives the instrument: the platform's
// window class where one exists, else the windowless context (the editor is
// then not offered to hosts, but its controls still follow the parameters).
#pragma once

#include "editor/Graphics.h"

#include <memory>

std::unique_ptr<Graphics> CreateEditorGraphics(PluginBase* plug);
