#include "app/frCustomFolderBrowserOptions.h"

#include "utils/CustomFolderBrowserCfg.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

TCustomFolderBrowserOptionsFrame::TCustomFolderBrowserOptionsFrame(TComponent* owner)
    : TOptionsPageFrame(owner) {
    TitleLabel = InitPage("CustomFolderBrowserOptionsFrame", "Custom folder browser");
    constexpr int kWidth = kPageWidth - 16;
    const auto field = [this](const char* labelName, const char* caption, const char* editName,
                              int top, TLabel*& label) {
        label = MakeControl<TLabel>(this, this, labelName, Bounds(8, top, kWidth, 13));
        label->SetCaption(caption);
        auto* edit = MakeControl<TEdit>(this, this, editName, Bounds(8, top + 16, kWidth, 21));
        edit->SetAnchors({akLeft, akTop, akRight});
        label->SetFocusControl(edit);
        return edit;
    };
    PathEdit = field("PathLabel", "Folder browser &program (empty: the shell's folder window)",
                     "PathEdit", 32, PathLabel);
    CmdLineEdit = field("CmdLineLabel", "&Command line (%path%, %shortpath%, %filename%)",
                        "CmdLineEdit", 80, CmdLineLabel);
}

void TCustomFolderBrowserOptionsFrame::LoadSettings() {
    if (CustomBrowserCfg == nullptr)
        return;
    PathEdit->SetText(CustomBrowserCfg->Path());
    CmdLineEdit->SetText(CustomBrowserCfg->CmdLine());
}

void TCustomFolderBrowserOptionsFrame::SaveSettings() {
    if (CustomBrowserCfg == nullptr)
        return;
    CustomBrowserCfg->SetPath(PathEdit->Text());
    CustomBrowserCfg->SetCmdLine(CmdLineEdit->Text());
}

const TClassInfo& TCustomFolderBrowserOptionsFrame::StaticClassInfo() {
    static const TClassInfo info("TCustomFolderBrowserOptionsFrame",
                                 &TOptionsPageFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
