#include "app/ProgramWindows.h"

#include "app/fmAbout.h"
#include "app/fmAskForUpdate.h"
#include "app/fmHelpView.h"
#include "app/fmNimbraApp.h"
#include "app/fmOptionsDlgNew2.h"
#include "app/fmTipOfTheDay.h"
#include "folders/fmCustomFolder.h"
#include "folders/fmCustomFolderPath.h"
#include "folders/fmCustomFolders.h"
#include "search/fmCustomRecentPeriod.h"
#include "shortcuts/fmEditShortCut.h"

namespace nimbra {

void CreateProgramWindows(TComponent& program) {
    auto* main = new TNimbraApp(&program);
    new TOptionsDlgNew2(&program, *main->AppOptionsDialog);
    new TEditShortCutDialog(&program);
    new TRecentPeriodDialog(&program);
    new TAboutForm(&program, false);
    new TAskForUpdateDialog(&program);
    new TTipOfTheDayDialog(&program, {}, 0);
    new THelpViewForm(&program);
    new TCustomFoldersForm(&program);
    new TCustomFolderForm(&program);
    new TCustomFolderPathForm(&program);
}

}  // namespace nimbra
