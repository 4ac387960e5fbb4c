#pragma once

#include "controls/ShortCuts.h"

namespace nimbra::testing_support {

// Presses and releases a key combination on the keyboard as a user would
// (SendInput): the modifiers down, the key down and up, the modifiers up.
void PressShortCut(TShortCut shortCut);

}  // namespace nimbra::testing_support
