#include "shell/TestPlatform.h"

namespace nimbra {

bool RunningUnderWine() {
    return false;
}

}  // namespace nimbra
