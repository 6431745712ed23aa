// The screen area the small dialogs are placed in.
#pragma once

#include "ui/dialogs/dialog_rules.h"

namespace tellaro {

// The shell's desktop icon view; without one (no shell, or a shell that
// lays out its windows differently) the work area, and failing that the
// whole screen.
ScreenRect DialogArea();

}  // namespace tellaro
