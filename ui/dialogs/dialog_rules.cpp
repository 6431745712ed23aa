#include "ui/dialogs/dialog_rules.h"

namespace tellaro {

std::uint16_t WaitTimeFromInput(int typed, std::uint16_t spinPosition) {
    if (typed >= 0 && typed <= kMaxWaitMs) return static_cast<std::uint16_t>(typed);
    return spinPosition <= kMaxWaitMs ? spinPosition : static_cast<std::uint16_t>(kMaxWaitMs);
}

}  // namespace tellaro
