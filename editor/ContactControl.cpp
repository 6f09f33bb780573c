#include "editor/ContactControl.h"

void ContactControl::OnMouseUp(int /*x*/, int /*y*/, const MouseModifiers& /*mods*/)
{
    value = 0.0;
    MarkDirty(true);
}
