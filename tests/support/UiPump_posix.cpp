#include "support/UiPump.h"

namespace nimbra {

void TUiPump::ServeOnce(int ms) {
    dispatcher_.WaitAndProcess(ms);
}

}  // namespace nimbra
