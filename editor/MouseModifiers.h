// The buttons and keys held during a mouse event.
#pragma once

struct MouseModifiers {
    bool left = false;
    bool right = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
};
