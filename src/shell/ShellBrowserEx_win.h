#pragma once

// The shell's context menu for one item (Windows only).
#include <windows.h>

#include <shlobj.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Classes.h"
#include "shell/PidlUtils.h"

namespace nimbra {

// A command of the program's own to show beside the shell's commands.
struct TMenuCommand {
    std::string Caption;
    std::function<void()> OnClick;
};

class TShellBrowserEx;
using TShellBrowserEvent = std::function<void(TShellBrowserEx& sender)>;

// Holds a current folder and a current item in it, and shows the shell's
// context menu for that item. Interface thread only.
class TShellBrowserEx : public TComponent {
  public:
    explicit TShellBrowserEx(TComponent* owner);
    ~TShellBrowserEx() override;

    // Kept for stored forms; no operation depends on the order of children.
    int SortColumn() const { return sortColumn_; }
    void SetSortColumn(int value) { sortColumn_ = value; }
    bool SortReverse() const { return sortReverse_; }
    void SetSortReverse(bool value) { sortReverse_ = value; }
    // Offers the shell's "rename" command; choosing it raises OnRename.
    bool AllowRename() const { return allowRename_; }
    void SetAllowRename(bool value) { allowRename_ = value; }

    TShellBrowserEvent OnRename;

    // Makes the parent of `path` the current folder and its last part the
    // current item; false when the shell cannot parse the path.
    bool SetItemPath(std::string_view path);
    // The file-system path of the current folder ("" for a virtual one).
    const std::string& FolderPath() const { return folderPath_; }

    // Shows the current item's context menu at `point` (screen coordinates)
    // for `owner`, and carries out the chosen command; `verb` receives the
    // chosen shell command's verb ("" when none ran). The program's own
    // `extra` commands are inserted at `insertPosition` (-1: after the
    // shell's, below a separator). Stops quietly when the item has no menu.
    void ShowContextMenu(POINT point, HWND owner, std::string& verb, int insertPosition = -1,
                         const std::vector<TMenuCommand>& extra = {});

    // The owner window hands WM_DRAWITEM, WM_MEASUREITEM and WM_INITMENUPOPUP
    // here while the menu is open; true (with `result`) when they were
    // passed to the shell's menu.
    bool HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // The shell's context menu of the current item (one item, `owner` as
    // parent); empty when it has none.
    virtual Microsoft::WRL::ComPtr<IContextMenu> QueryItemMenu(HWND owner);
    // Shows the filled popup and gives the chosen command identifier (0 for
    // none): TrackPopupMenu with TPM_RIGHTBUTTON | TPM_RETURNCMD.
    virtual UINT TrackMenu(HMENU menu, POINT point, HWND owner);
    // The shell's menu while it is open (for TrackMenu).
    IContextMenu* ContextMenu() const { return menu_.Get(); }

  private:
    void Clear();
    IShellFolder* Folder();
    // Runs a chosen command of the shell's menu.
    void RunShellCommand(UINT command, HWND owner, std::string& verb);

    int sortColumn_ = -1;
    bool sortReverse_ = false;
    bool allowRename_ = false;

    TPidlPtr folderPidl_;
    std::string folderPath_;
    Microsoft::WRL::ComPtr<IShellFolder> folder_;  // bound on first use
    TPidlPtr item_;                                // relative to the folder
    // Only while a menu is open.
    Microsoft::WRL::ComPtr<IContextMenu> menu_;
    Microsoft::WRL::ComPtr<IContextMenu2> menu2_;
};

}  // namespace nimbra
