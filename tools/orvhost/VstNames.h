// Readable names for the numbers a plug-in reports: four-character codes,
// effect flags, plug-in categories and canDo answers.
#pragma once

#include <cstdint>
#include <string>

namespace orv::host {

// "ORV1" for a code made of printable characters, else "" (the caller shows
// the number alone).
std::string FourCharacterText(int32_t code);

// Names of the set flags, separated by spaces; unknown bits as "bit N".
std::string EffectFlagNames(int32_t flags);

// "instrument", "effect", ...; "category N" for numbers outside the list.
std::string CategoryName(intptr_t category);

// effCanDo answers: 1 "yes", -1 "no", 0 "don't know", others in hex.
std::string CanDoAnswerText(intptr_t answer);

}  // namespace orv::host
