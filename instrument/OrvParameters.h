// ORV's twelve parameters: their indices and the display functions of those
// that show more than a plain number.
#pragma once

#include <cstddef>

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
    kMorphOnce = 1,
    kMorphOneShot = 2,
    kMorphSwing = 3,
};

// "-oo" at or below 0, otherwise decibels with one decimal.
void FormatVolumeDb(double value, char* text, size_t capacity);

// A signed percentage: "+25", "-50", and "0" for exactly 0.
void FormatVariationPercent(double value, char* text, size_t capacity);
