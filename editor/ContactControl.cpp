#include "editor/ContactControl.h"

namespace orv::editor {

void ContactControl::OnMouseUp(int /*x*/, int /*y*/, const MouseModifiers& /*mods*/)
{
    value = 0.0;
    MarkDirty(true);
}

}  // namespace orv::editor
