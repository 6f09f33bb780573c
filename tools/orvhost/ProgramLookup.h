// Finding the program a user means: a whole number is a program index;
// other text is a program name, matched exactly, else ignoring case. A name
// that matches no program or several is refused with a list of the
// candidates, so the user can pick one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv::host {

// names holds every program's name, by index. On failure returns false with
// a message for the user in error.
bool FindProgram(const std::string& wanted, const std::vector<std::string>& names, int32_t& index, std::string& error);

}  // namespace orv::host
