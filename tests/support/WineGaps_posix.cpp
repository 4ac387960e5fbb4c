#include <iostream>

#include "support/WineGaps.h"

namespace nimbra::testing_support {

// Tests shared by both platforms ask; natively the answer is always no.
bool RunningUnderWine() {
    return false;
}

void NoteWineGap(const std::string& gap) {
    std::cout << "[ WINE GAP ] " << gap << std::endl;
}

}  // namespace nimbra::testing_support
