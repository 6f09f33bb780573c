// Where everything sits on ORV's panel, and which images it is drawn from.
// Rectangles are (left, top, right, bottom), right and bottom exclusive.
#pragma once

#include "Rect.h"

namespace orvpanel {

// Skin images: resource type "PNG", looked up by number; the name goes with
// the number to the loader.
struct SkinImage {
    int id;
    const char* name;
    int frames;  // stacked vertically
    int width;   // of the whole image
    int height;
};
inline constexpr SkinImage kBackground{101, "resources/img/back.png", 1, 608, 352};
inline constexpr SkinImage kBall{102, "resources/img/ball.png", 1, 28, 30};
inline constexpr SkinImage kBall2{103, "resources/img/ball2.png", 1, 28, 30};
inline constexpr SkinImage kHandleVertical{104, "resources/img/handle_v.png", 1, 26, 16};
inline constexpr SkinImage kHandleHorizontal{105, "resources/img/handle_h.png", 1, 15, 27};
inline constexpr SkinImage kPreviousButton{106, "resources/img/left.png", 2, 22, 44};
inline constexpr SkinImage kNextButton{107, "resources/img/right.png", 2, 22, 44};
inline constexpr SkinImage kLearn{108, "resources/img/learn.png", 2, 50, 44};
inline constexpr SkinImage kUnlearn{109, "resources/img/unlearn.png", 2, 50, 44};
inline constexpr SkinImage kMorphModeSwitch{110, "resources/img/mode.png", 4, 52, 64};

// Negative indices no parameter has: they only tell the program and menu
// controls apart.
inline constexpr int kPreviousProgram = -15;
inline constexpr int kNextProgram = -16;
inline constexpr int kOptionMenu = -17;
inline constexpr int kMidiLearn = -18;

inline constexpr Rect kNumberBox{102, 21, 126, 35};
inline constexpr Rect kNameBox{153, 21, 345, 37};
inline constexpr int kPreviousButtonX = 77, kPreviousButtonY = 17;
inline constexpr int kNextButtonX = 128, kNextButtonY = 17;
inline constexpr Rect kOptionMenuButton{352, 18, 392, 34};
inline constexpr Rect kVersionBox{457, 22, 541, 36};
inline constexpr int kLearnSwitchX = 407, kLearnSwitchY = 17;
inline constexpr Rect kPad{16, 72, 272, 328};

// The faders: the top-left corner, the travel along the track.
inline constexpr int kVerticalTravel = 86;
inline constexpr int kHorizontalTravel = 160;
inline constexpr int kVerticalFaderTop = 181;
inline constexpr int kVividX = 301, kAirX = 365, kReleaseX = 429, kVolumeX = 493, kMorphRateX = 557;
inline constexpr int kEnvelopeX = 336, kEnvelopeY = 291;
inline constexpr int kMorphModeX = 544, kMorphModeY = 296;

}  // namespace orvpanel
