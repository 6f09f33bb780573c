// Where everything sits on ORV's panel, and which images it is drawn from:
// the table in OrvPanelLayout.def, at 100 %, and the panel at a scale.
#pragma once

#include "editor/DisplayScale.h"
#include "editor/Rect.h"

#include <array>
#include <string>

namespace orv::instrument {

namespace orvpanel {

// Skin images: resource type "PNG", looked up by number; the name goes with
// the number to the loader.
struct SkinImage {
    int id;            // at 100 %
    const char* stem;  // the file name without ".png"
    int frames;        // stacked vertically
    int frameWidth;    // at 100 %
    int frameHeight;
};

struct Point {
    int x;
    int y;
};

#define ORV_PANEL_SIZE(width, height) inline constexpr int kPanelWidth = width, kPanelHeight = height;
#define ORV_PANEL_IMAGE_ID_STEP(step) inline constexpr int kScaleImageIdStep = step;
#define ORV_PANEL_SCALE(percent)
#define ORV_PANEL_IMAGE(name, id, stem, frames, width, height) \
    inline constexpr SkinImage k##name{id, #stem, frames, width, height};
#define ORV_PANEL_RECT(name, left, top, right, bottom) inline constexpr editor::Rect k##name{left, top, right, bottom};
#define ORV_PANEL_POINT(name, x, y) inline constexpr Point k##name{x, y};
#define ORV_PANEL_LENGTH(name, value) inline constexpr int k##name = value;
#include "instrument/OrvPanelLayout.def"
#undef ORV_PANEL_SIZE
#undef ORV_PANEL_IMAGE_ID_STEP
#undef ORV_PANEL_SCALE
#undef ORV_PANEL_IMAGE
#undef ORV_PANEL_RECT
#undef ORV_PANEL_POINT
#undef ORV_PANEL_LENGTH
// The same table again for its list of scales alone.
#define ORV_PANEL_SIZE(width, height)
#define ORV_PANEL_IMAGE_ID_STEP(step)
#define ORV_PANEL_SCALE(percent) percent,
#define ORV_PANEL_IMAGE(name, id, stem, frames, width, height)
#define ORV_PANEL_RECT(name, left, top, right, bottom)
#define ORV_PANEL_POINT(name, x, y)
#define ORV_PANEL_LENGTH(name, value)
inline constexpr std::array kScalePercents{
#include "instrument/OrvPanelLayout.def"
};
#undef ORV_PANEL_SIZE
#undef ORV_PANEL_IMAGE_ID_STEP
#undef ORV_PANEL_SCALE
#undef ORV_PANEL_IMAGE
#undef ORV_PANEL_RECT
#undef ORV_PANEL_POINT
#undef ORV_PANEL_LENGTH

inline constexpr int kPercent = 100;

// Negative indices no parameter has: they only tell the program and menu
// controls apart.
inline constexpr int kPreviousProgram = -15;
inline constexpr int kNextProgram = -16;
inline constexpr int kOptionMenu = -17;
inline constexpr int kMidiLearn = -18;

// The panel at one of the supported scales.
class PanelAtScale {
public:
    // scaleIndex: into kScalePercents, clamped.
    explicit PanelAtScale(int scaleIndex);

    int ScaleIndex() const { return scaleIndex; }
    const editor::DisplayScale& Scale() const { return scale; }
    int Width() const { return scale.Pixels(kPanelWidth); }
    int Height() const { return scale.Pixels(kPanelHeight); }
    int Pixels(int length) const { return scale.Pixels(length); }
    editor::Rect Pixels(const editor::Rect& r) const { return scale.Pixels(r); }
    // The resource number and name of an image at this scale.
    int ImageId(const SkinImage& image) const { return image.id + scaleIndex * kScaleImageIdStep; }
    std::string ImageName(const SkinImage& image) const;

private:
    int scaleIndex;
    editor::DisplayScale scale;
};

// The largest supported scale not above factor (the smallest below all).
int ScaleIndexFor(double factor);

}  // namespace orvpanel

}  // namespace orv::instrument
