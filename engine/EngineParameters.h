// The instrument's twelve parameters as the engine knows them.
#pragma once

namespace orv::engine {

enum OrvParameter : int {
    kVolume = 0,
    kVariationX = 1,
    kVariationY = 2,
    kVivid = 3,
    kAir = 4,
    kRelease = 5,
    kEnvelope = 6,
    kReserved = 7,  // never defined: a nameless slot kept in every program
    kVariationX2 = 8,
    kVariationY2 = 9,
    kMorphMode = 10,
    kMorphRate = 11,
    kOrvParameterCount = 12,
};

enum MorphMode : int {
    kMorphOff = 0,
    kMorphOnce = 1,     // all voices glide together from the first note of a phrase
    kMorphOneShot = 2,  // each voice glides on its own clock
    kMorphSwing = 3,    // a free-running LFO swings between the two points
};

}  // namespace orv::engine
