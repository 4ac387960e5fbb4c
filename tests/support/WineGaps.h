#pragma once

#include <string>

namespace nimbra::testing_support {

// True when the Windows API of this process is Wine's.
bool RunningUnderWine();

// Records a place where Wine's behaviour differs from Windows and a test
// checks against the file's bytes instead; shown in the test's output.
void NoteWineGap(const std::string& gap);

}  // namespace nimbra::testing_support
