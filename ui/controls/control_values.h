// How values travel between the controls and the stored settings.
// Portable: no Windows headers.
#pragma once

#include <cstdint>

namespace tellaro {

// The leading decimal number of a text, as atoi reads it ("12ab" is 12, ""
// is 0), but clamped to the int range instead of overflowing.
int LeadingNumber(const char* text);

// A stored code shown in a drop-down list whose entry index is the code:
// the index to select, or -1 (no selection) for a code the list lacks.
int ComboIndexForCode(std::uint8_t code, long count);
// The code for the list's selection; no selection (CB_ERR) stores 255.
std::uint8_t CodeForComboIndex(long index);

}  // namespace tellaro
