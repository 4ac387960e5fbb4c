#pragma once

// The program's start-up and shutdown (Windows only).
#include <windows.h>

namespace nimbra {

// Runs the program: one of four courses (a second start hands over to the
// first copy and ends; help mode shows or dumps the help; a start into the
// notification area; a normal start), then the message loop. `showCommand`
// is the window state the process was started with. Returns the exit code.
int RunProgram(HINSTANCE instance, int showCommand);

}  // namespace nimbra
