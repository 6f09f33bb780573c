// Display functions of the parameters that show more than a plain number.
#pragma once

#include "engine/EngineParameters.h"

#include <cstddef>

namespace orv::instrument {

// "-oo" at or below 0, otherwise decibels with one decimal.
void FormatVolumeDb(double value, char* text, size_t capacity);

// A signed percentage: "+25", "-50", and "0" for exactly 0.
void FormatVariationPercent(double value, char* text, size_t capacity);

}  // namespace orv::instrument
