#include "app/ProgramWindows.h"

#include "app/fmNimbraApp.h"
#include "folders/fmCustomFolder.h"
#include "folders/fmCustomFolderPath.h"
#include "folders/fmCustomFolders.h"
#include "search/fmCustomRecentPeriod.h"

namespace nimbra {

void CreateProgramWindows(TComponent& program) {
    new TNimbraApp(&program);
    new TRecentPeriodDialog(&program);
    new TCustomFoldersForm(&program);
    new TCustomFolderForm(&program);
    new TCustomFolderPathForm(&program);
}

}  // namespace nimbra
