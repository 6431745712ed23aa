#include "ui/controls/control_values.h"

#include <climits>
#include <cstdlib>

namespace tellaro {

int LeadingNumber(const char* text) {
    if (text == nullptr) return 0;
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int ComboIndexForCode(std::uint8_t code, long count) {
    return code < count ? code : -1;
}

std::uint8_t CodeForComboIndex(long index) {
    return index >= 0 && index < 255 ? static_cast<std::uint8_t>(index) : 255;
}

}  // namespace tellaro
