#include "app/ProgramWindows.h"

#include "app/fmNimbraApp.h"
#include "search/fmCustomRecentPeriod.h"

namespace nimbra {

void CreateProgramWindows(TComponent& program) {
    new TNimbraApp(&program);
    new TRecentPeriodDialog(&program);
}

}  // namespace nimbra
