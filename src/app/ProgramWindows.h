#pragma once

// The program's windows for the generation of its default language file
// (Windows only).
#include "base/Classes.h"

namespace nimbra {

// Makes every window of the program, owned by `program` and not shown, so
// that their localizers can write their texts. Needs the settings store and
// the program's configuration, as the windows read them when made.
void CreateProgramWindows(TComponent& program);

}  // namespace nimbra
