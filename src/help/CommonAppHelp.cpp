#include "help/CommonAppHelp.h"

#include "help/EmbeddedHelp.h"
#include "help/HelpUtilsEx.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtils.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

THelpModule::THelpModule(TComponent* owner, const std::string& name, std::string_view helpText)
    : TComponent(owner),
      contextHelp_(new TContextHelpEx(this)),
      localizer_(new TNewLocalizer(this)) {
    SetName(name);
    contextHelp_->SetName("ContextHelpEx1");
    localizer_->SetName("NewLocalizer1");
    BeginLoading();
    std::vector<std::string> lines;
    for (std::string_view line : EmbeddedHelpLines(helpText))
        lines.emplace_back(line);
    TStringList help(lines);
    contextHelp_->SetAppHelp(&help);
}

void THelpModule::FinishLoading() {
    BeginLoading();
    for (int i = 0; i < ComponentCount(); ++i)
        Components(i)->Loaded();
    Loaded();
}

TNimbraFrameHelp::TNimbraFrameHelp(TComponent* owner)
    : THelpModule(owner, "NimbraFrameHelp", "NimbraFrameHelp") {
    FinishLoading();
}

TNimbraHelpModule::TNimbraHelpModule(TComponent* owner)
    : THelpModule(owner, "NimbraHelpModule", "NimbraHelp") {
    FinishLoading();
}

TBasicAppHelp::TBasicAppHelp(TComponent* owner)
    : THelpModule(owner, "BasicAppHelp", "BasicAppHelp"), global_(new TGlobalLocalizer(this)) {
    global_->SetName("GlobalLocalizer1");
    TStringList constants(CodeTextConstants());
    NewLocalizer1()->SetConstants(&constants);
    THelpStore& store = HelpStore();
    store.AddValue("appname", kAppName);
    store.AddValue("version", kAppVersion);
    store.AddValue("homepage", kHomePage);
    store.AddValue("apppage", kAppPage);
    store.AddValue("supportlink", kSupportLink);
    store.AddValue("supportemail", kSupportEmail);
    FinishLoading();
}

void CreateHelpModules(TComponent* owner) {
    new TNimbraFrameHelp(owner);
    new TNimbraHelpModule(owner);
    new TBasicAppHelp(owner);
}

namespace {

// Points the language folder at `folder` while it lives; the previous folder
// and an empty cache come back however the generation ends (a read-only
// folder raises in the middle of it).
class TLanguageFolderScope {
  public:
    explicit TLanguageFolderScope(const std::string& folder) : previous_(LanguageFolder()) {
        SetLanguageFolder(folder);
        ClearCache();
    }
    ~TLanguageFolderScope() {
        SetLanguageFolder(previous_ == ProgramFolder() ? std::string() : previous_);
        ClearCache();
    }
    TLanguageFolderScope(const TLanguageFolderScope&) = delete;
    TLanguageFolderScope& operator=(const TLanguageFolderScope&) = delete;

  private:
    std::string previous_;
};

}  // namespace

std::string GenerateDefaultLanguageFile(
    const std::string& folder, const std::function<void(TComponent& program)>& createWindows) {
    const TLanguageFolderScope scope(folder);
    const TLanguageFile file;
    const std::string fileName = file.FileNameOf(kDefaultLanguage);
    // From nothing: texts that are gone must not survive in the file.
    RemoveFile(NativePath(fileName));
    ClearCache();
    TComponent program(nullptr);
    if (createWindows)
        createWindows(program);
    CreateHelpModules(&program);
    GenerateAllDefaultTexts();
    return fileName;
}

void DumpHelp() {
    HelpStore().Dump(RemoveFileExt(ProgramFileName()) + ".help.txt");
}

}  // namespace nimbra
