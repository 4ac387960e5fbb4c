#include "folders/fmCustomFolderPath.h"

#include <windows.h>

#include <memory>

#include "controls/Dialogs_win.h"
#include "folders/ShDirectoryDialog.h"
#include "shell/ShellImageList_win.h"
#include "shell/ShellUtils_win.h"
#include "utils/FileUtils.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

namespace {
constexpr int kShownRows = 16;
}  // namespace

TCustomFolderPathForm::TCustomFolderPathForm(TComponent* owner)
    : TPageDialog(owner, "CustomFolderPathForm", "Folder properties...", "Folder", 440, 250) {
    SetHint("!App.Dialogs.CustomizeFolders.Location");
    const int width = TabSheet1->Width() - 16;
    GroupBox1 = MakeControl<TGroupBox>(this, TabSheet1, "GroupBox1", Bounds(8, 8, width, 150));
    GroupBox1->SetCaption(" Folder location ");
    GroupBox1->SetAnchors({akLeft, akTop, akRight});
    const int inner = width - 40;
    ShellRadio =
        MakeControl<TRadioButton>(this, GroupBox1, "ShellRadio", Bounds(12, 22, inner, 17));
    ShellRadio->SetCaption("&Select folder from the list of predefined folders");
    ShellFolderList = MakeControl<TImageComboBox>(this, GroupBox1, "ShellFolderList",
                                                  Bounds(28, 42, inner - 16, 21));
    ShellFolderList->SetStyle(csDropDownList);
    ShellFolderList->SetDropDownCount(kShownRows);
    ShellFolderList->SetHint("Choose a special folder.");
    ShellFolderList->OnRowImage = [this](int row) { return FolderImage(row); };
    DiskRadio = MakeControl<TRadioButton>(this, GroupBox1, "DiskRadio", Bounds(12, 78, inner, 17));
    DiskRadio->SetCaption("Enter &path to folder");
    PathEdit = MakeControl<TEdit>(this, GroupBox1, "PathEdit", Bounds(28, 98, inner - 128, 21));
    PathEdit->SetHint("Type the path of a folder.");
    BrowseButton =
        MakeControl<TButton>(this, GroupBox1, "BrowseButton", Bounds(inner - 92, 97, 104, 23));
    BrowseButton->SetCaption("&Browse...");
    BrowseButton->SetHint("Choose the folder in a folder browser.");
    for (TControl* control :
         {static_cast<TControl*>(ShellFolderList), static_cast<TControl*>(PathEdit)})
        control->SetAnchors({akLeft, akTop, akRight});
    BrowseButton->SetAnchors({akTop, akRight});

    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    OKAction = new TAction(this);
    OKAction->SetName("OKAction");
    OKAction->SetCaption("OK");
    OKAction->SetActionList(ActionList1);
    OKAction->OnUpdate = [this](TObject&) { OKAction->SetEnabled(Valid()); };
    OKAction->OnExecute = [this](TObject&) {
        if (Valid() && CheckPathExists())
            SetModalResult(mrOk);
    };
    OKButton->SetAction(OKAction);
    OKButton->SetModalResult(mrNone);
    ExploreAction = new TAction(this);
    ExploreAction->SetName("ExploreAction");
    ExploreAction->SetCaption("Open in &Explorer...");
    ExploreAction->SetHint("Open the folder in the file manager.");
    ExploreAction->SetActionList(ActionList1);
    ExploreAction->OnUpdate = [this](TObject&) { ExploreAction->SetEnabled(Valid()); };
    ExploreAction->OnExecute = [this](TObject&) { Explore(); };
    ExploreButton =
        MakeControl<TButton>(this, this, "ExploreButton", Bounds(8, OKButton->Top(), 120, 25));
    ExploreButton->SetAction(ExploreAction);
    ExploreButton->SetAnchors({akLeft, akBottom});

    SHDirectoryDialog1 = new TSHDirectoryDialog(this);
    SHDirectoryDialog1->SetName("SHDirectoryDialog1");
    SHDirectoryDialog1->SetTitle("Select a folder you would like to search with the program:");
    SHDirectoryDialog1->SetAllowCreate(true);

    ShellRadio->OnClick = [this](TObject&) { Edited(); };
    DiskRadio->OnClick = [this](TObject&) { Edited(); };
    ShellFolderList->OnChange = [this](TObject&) { Edited(); };
    PathEdit->OnChange = [this](TObject&) { Edited(); };
    BrowseButton->OnClick = [this](TObject&) { Browse(); };
    FinishDialog();
}

TCustomFolderPathType TCustomFolderPathForm::PathType() const {
    return ShellRadio->Checked() ? ptShell : ptDisk;
}

// The folder's own icon, or else the icon of its path on disk.
int TCustomFolderPathForm::FolderImage(int row) const {
    if (row < 0 || row >= static_cast<int>(choices_.size()))
        return -1;
    const TShellFolder folder = choices_[static_cast<std::size_t>(row)].Folder;
    const int image = GetShellFolderIconIndex(folder);
    return image >= 0 ? image : GetFileIconIndex(GetShellFolderPath(folder));
}

bool TCustomFolderPathForm::Valid() const {
    return IsLocationValid(PathType(), ShellFolderList->ItemIndex(), PathEdit->Text());
}

// The controls of the other choice are greyed; a greyed edit field takes
// the face colour of buttons.
void TCustomFolderPathForm::UpdateEnabling() {
    const bool shell = PathType() == ptShell;
    ShellFolderList->SetEnabled(shell);
    PathEdit->SetEnabled(!shell);
    PathEdit->SetColor(shell ? clBtnFace : clWindow);
    BrowseButton->SetEnabled(!shell);
}

void TCustomFolderPathForm::Edited() {
    if (loading_)
        return;
    modified_ = true;
    UpdateEnabling();
}

void TCustomFolderPathForm::Load(const TCustomFolderPath& path) {
    loading_ = true;
    choices_ = ExistingShellFolders();
    ShellFolderList->Items()->Clear();
    for (const TShellFolderChoice& choice : choices_)
        ShellFolderList->Items()->Add(choice.Name);
    ShellFolderList->SetItemIndex(ShellFolderRow(choices_, path.ShellFolder()));
    PathEdit->SetText(path.Path());
    if (path.PathType() == ptShell)
        ShellRadio->Check();
    else
        DiskRadio->Check();
    loading_ = false;
    UpdateEnabling();
    SetActiveControl(path.PathType() == ptShell ? static_cast<TWinControl*>(ShellFolderList)
                                                : static_cast<TWinControl*>(PathEdit));
    modified_ = false;
}

void TCustomFolderPathForm::Store(TCustomFolderPath& path) const {
    path.SetPath(PathEdit->Text());
    const int row = ShellFolderList->ItemIndex();
    if (row >= 0 && row < static_cast<int>(choices_.size()))
        path.SetShellFolder(choices_[static_cast<std::size_t>(row)].Folder);
    path.SetPathType(PathType());
}

bool TCustomFolderPathForm::CheckPathExists() const {
    if (PathType() != ptDisk || DirectoryExists(PathEdit->Text()))
        return true;
    std::string text = GetLocalizedString(CodeText("Nimbra", "PathDoesntExist"));
    if (const std::size_t at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, PathEdit->Text());
    MessageDlg(text, mtError, mbOK);
    return false;
}

void TCustomFolderPathForm::Browse() {
    SHDirectoryDialog1->SetDirectory(PathEdit->Text());
    if (!SHDirectoryDialog1->Execute())
        return;
    PathEdit->SetText(SHDirectoryDialog1->Directory());
    Edited();
}

void TCustomFolderPathForm::Explore() {
    if (!Valid())
        return;
    if (PathType() == ptShell) {
        const int row = ShellFolderList->ItemIndex();
        ExploreShellFolder(choices_[static_cast<std::size_t>(row)].Folder, SW_SHOWNORMAL, false);
    } else if (CheckPathExists()) {
        ExplorePath(PathEdit->Text(), SW_SHOWNORMAL, false, true, false);
    }
}

const TClassInfo& TCustomFolderPathForm::StaticClassInfo() {
    static const TClassInfo info("TCustomFolderPathForm", &TPageDialog::StaticClassInfo());
    return info;
}

bool EditCustomFolderPath(TCustomFolderPath& path, bool isNew) {
    return EditInDialog<TCustomFolderPathForm>(path, isNew);
}

}  // namespace nimbra
