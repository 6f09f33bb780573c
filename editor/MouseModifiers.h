// The buttons and keys held during a mouse event.
#pragma once

namespace orv::editor {

struct MouseModifiers {
    bool left = false;
    bool right = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
};

}  // namespace orv::editor
