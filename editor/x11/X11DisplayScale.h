// The desktop's scale as X11 desktops publish it: the resource Xft.dpi
// (96 = 100 %, 192 at 2x) in the root window's RESOURCE_MANAGER property,
// and the toolkits' GDK_SCALE override in the environment.
#pragma once

namespace orv::editor {

// The scale from the resource text (lines of "name:\tvalue"); 0 when it
// holds no usable Xft.dpi.
double XftDpiScale(const char* resources);
// The scale GDK_SCALE gives (a whole number from 1); 0 when unset or not a
// number.
double GdkScale(const char* value);

}  // namespace orv::editor
