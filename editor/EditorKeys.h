// The key numbers controls receive in OnKeyDown, whatever the platform's own
// key codes: the windows map their keys onto these.
#pragma once

namespace orv::editor {

enum EditorKey : int {
    kKeySpace = 0,
    kKeyUp = 1,
    kKeyDown = 2,
    kKeyLeft = 3,
    kKeyRight = 4,
    kKeyDigit0 = 5,    // "0" .. "9" are 5 .. 14
    kKeyLetterA = 15,  // "A" .. "Z" (either case) are 15 .. 40
    kKeyLetterZ = 40,
};

}  // namespace orv::editor
