#include "app/frShellOptions.h"

#include <filesystem>

#include "base/Unicode.h"

#include "controls/Dialogs_win.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtils.h"
#include "utils/NewLangUtilsTexts.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

namespace {
constexpr int kGroupWidth = 410;
constexpr int kRowHeight = 22;

// A place that resolves may not exist yet in a new profile (the start-up
// folder, for one); the user asked for the shortcut, so it is made.
bool CreatePlace(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(ToWide(folder)), error);
    return !error;
}
}  // namespace

TShellOptionsPageFrame::TShellOptionsPageFrame(TComponent* owner) : TOptionsPageFrame(owner) {
    TitleLabel = InitPage("ShellOptionsPageFrame", "Shell options");
    SetHint("Shell options|!App.Dialogs.Options.Shell");
    GroupBox1 =
        MakeControl<TGroupBox>(this, this, "GroupBox1", Bounds(8, 30, kGroupWidth, 20 + 5 * 22));
    GroupBox1->SetCaption(" Starting the program ");
    GroupBox1->SetAnchors({akLeft, akTop, akRight});
    chkLoad = AddCheck("chkLoad", "&Run this program when Windows starts");
    chkDesktopLink = AddCheck("chkDesktopLink", "Create a &desktop icon");
    chkStartLink = AddCheck("chkStartLink", "Create a &Start menu icon");
    chkQuickLaunch = AddCheck("chkQuickLaunch", "Create a &Quick launch icon");
}

TCheckBox* TShellOptionsPageFrame::AddCheck(const char* name, const char* caption) {
    auto* box =
        MakeControl<TCheckBox>(this, GroupBox1, name, Bounds(12, nextTop_, kGroupWidth - 24, 17));
    box->SetCaption(caption);
    box->SetAnchors({akLeft, akTop, akRight});
    nextTop_ += kRowHeight;
    return box;
}

TShellOptionsPageFrame::TLinkBox TShellOptionsPageFrame::Boxes(int index) const {
    switch (index) {
        case 0:
            // Started with Windows, the program waits in the notification area.
            return {chkLoad, lfStartup, "-tray"};
        case 1:
            return {chkDesktopLink, lfDesktop, ""};
        case 2:
            return {chkStartLink, lfStartMenu, ""};
        default:
            return {chkQuickLaunch, lfQuickLaunch, ""};
    }
}

void TShellOptionsPageFrame::LoadSettings() {
    read_ = false;
}

void TShellOptionsPageFrame::PageActivated() {
    if (read_)
        return;
    for (int i = 0; i < kBoxCount; ++i) {
        const TLinkBox link = Boxes(i);
        if (!link.Box->Visible())
            continue;
        const std::string folder = GetLnkFolder(link.Place);
        link.Box->SetEnabled(!folder.empty());
        link.Box->SetChecked(LnkExists(folder, kLinkName));
    }
    read_ = true;
}

void TShellOptionsPageFrame::SaveSettings() {
    if (!read_)
        return;
    std::string failed;
    for (int i = 0; i < kBoxCount; ++i) {
        const TLinkBox link = Boxes(i);
        if (!link.Box->Visible() || !link.Box->Enabled())
            continue;
        const std::string folder = GetLnkFolder(link.Place);
        if (!link.Box->Checked()) {
            DeleteLnk(folder, kLinkName);
        } else if (!LnkExists(folder, kLinkName) &&
                   !(CreatePlace(folder) &&
                     CreateLnk(folder, kLinkName, ProgramFileName(), link.Arguments))) {
            failed += "\n" + JoinPath(folder, kLinkName);
        }
    }
    // The other settings are saved all the same; the user learns which
    // shortcut is missing.
    if (!failed.empty())
        MessageDlg(GetLocalizedString(CodeText("ShellOptions", "CannotCreateShortcut")) + failed,
                   mtError, mbOK);
}

const TClassInfo& TShellOptionsPageFrame::StaticClassInfo() {
    static const TClassInfo info("TShellOptionsPageFrame", &TOptionsPageFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
