// How much larger than its own pixels the editor is drawn: 1 is the panel's
// own size, 2 twice as wide and high. Lengths and positions of the panel
// become screen pixels by rounding to the nearest pixel (halves up), so
// every piece of code that places something at a scale places it alike.
#pragma once

#include "editor/Rect.h"

#include <cmath>

namespace orv::editor {

struct DisplayScale {
    double factor = 1.0;

    int Pixels(int length) const { return static_cast<int>(std::lround(length * factor)); }
    Rect Pixels(const Rect& r) const { return {Pixels(r.left), Pixels(r.top), Pixels(r.right), Pixels(r.bottom)}; }
    bool operator==(const DisplayScale&) const = default;
};

}  // namespace orv::editor
