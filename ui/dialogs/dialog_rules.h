// Where the small dialogs open and what the options dialog accepts.
// Portable: no Windows headers.
#pragma once

#include <cstdint>

#include "base/screen_geometry.h"

namespace tellaro {

inline constexpr int kMaxWaitMs = 500;

// The second-launch wait as typed when it is 0 to 500 ms (an empty box
// reads as 0). Anything else, too large or negative, gives way to the
// up-down control's position, which the control keeps in that range.
std::uint16_t WaitTimeFromInput(int typed, std::uint16_t spinPosition);

}  // namespace tellaro
