#include "shell/ShellBrowserEx_win.h"

#include "base/Exception.h"
#include "base/Handles_win.h"
#include "base/Locale.h"
#include "base/Unicode.h"
#include "shell/PidlUtils_win.h"

namespace nimbra {

using Microsoft::WRL::ComPtr;

namespace {

// The shell's commands take the identifiers 1 to 0x7FFF; the program's own
// come after them.
constexpr UINT kFirstShellCommand = 1;
constexpr UINT kLastShellCommand = 0x7FFF;
constexpr UINT kFirstOwnCommand = 0x8000;
constexpr UINT kTrackFlags = TPM_RIGHTBUTTON | TPM_RETURNCMD;  // 0x0102
constexpr UINT kMaxVerb = 260;

// The program's own commands are plain text items. How they would be drawn
// with images, or put in a submenu, is left open: no caller passes any yet.
void InsertOwnCommands(HMENU menu, int position, const std::vector<TMenuCommand>& extra) {
    if (extra.empty())
        return;
    UINT at =
        position < 0 ? static_cast<UINT>(GetMenuItemCount(menu)) : static_cast<UINT>(position);
    if (position < 0)
        InsertMenuW(menu, at++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < extra.size(); ++i) {
        const std::wstring caption = ToWide(extra[i].Caption);
        InsertMenuW(menu, at++, MF_BYPOSITION | MF_STRING, kFirstOwnCommand + i, caption.c_str());
    }
}

// The top-level window that owns all of the program's windows, as far as
// `owner` leads to it.
HWND ApplicationWindow(HWND owner) {
    const HWND root = owner != nullptr ? GetAncestor(owner, GA_ROOTOWNER) : nullptr;
    return root != nullptr ? root : owner;
}

// Drops the open menu's interfaces however ShowContextMenu ends.
class TMenuScope {
  public:
    TMenuScope(ComPtr<IContextMenu>& menu, ComPtr<IContextMenu2>& menu2)
        : menu_(menu), menu2_(menu2) {}
    TMenuScope(const TMenuScope&) = delete;
    TMenuScope& operator=(const TMenuScope&) = delete;
    ~TMenuScope() {
        menu2_.Reset();
        menu_.Reset();
    }

  private:
    ComPtr<IContextMenu>& menu_;
    ComPtr<IContextMenu2>& menu2_;
};

}  // namespace

const TClassInfo& TShellBrowserEx::StaticClassInfo() {
    static const TClassInfo info(
        "TShellBrowserEx", &TComponent::StaticClassInfo(),
        {Published("SortColumn", &TShellBrowserEx::SortColumn, &TShellBrowserEx::SetSortColumn, -1),
         Published("SortReverse", &TShellBrowserEx::SortReverse, &TShellBrowserEx::SetSortReverse,
                   false),
         Published("AllowRename", &TShellBrowserEx::AllowRename, &TShellBrowserEx::SetAllowRename,
                   false)});
    return info;
}

TShellBrowserEx::TShellBrowserEx(TComponent* owner) : TComponent(owner) {}

TShellBrowserEx::~TShellBrowserEx() = default;

void TShellBrowserEx::Clear() {
    menu2_.Reset();
    menu_.Reset();
    item_.Reset();
    folder_.Reset();
    folderPidl_.Reset();
    folderPath_.clear();
}

bool TShellBrowserEx::SetItemPath(std::string_view path) {
    TPidlPtr full;
    if (!ParsePath(path, full))
        return false;
    PCItemIdList last = nullptr;
    TPidlPtr parent = SplitPidl(full.Get(), last);
    Clear();
    folderPath_ = PidlToPath(parent.Get());
    folderPidl_ = std::move(parent);
    // The last item is followed by the terminator, so copying from it gives
    // a one-item list.
    if (last != nullptr)
        item_ = PidlCopy(last);
    return true;
}

IShellFolder* TShellBrowserEx::Folder() {
    if (!folder_ && folderPidl_) {
        try {
            folder_ = BindToFolder(folderPidl_.Get());
        } catch (const EOSError&) {
            // A folder the shell cannot bind has no menu to show.
        }
    }
    return folder_.Get();
}

void TShellBrowserEx::ShowContextMenu(POINT point, HWND owner, std::string& verb,
                                      int insertPosition, const std::vector<TMenuCommand>& extra) {
    verb.clear();
    menu_ = QueryItemMenu(owner);
    if (!menu_)
        return;
    const TMenuScope scope(menu_, menu2_);
    menu_.As(&menu2_);  // optional: only the extended form draws owner-drawn items

    const TMenuHandle popup(CreatePopupMenu());
    if (!popup)
        return;
    UINT flags = CMF_EXPLORE;
    if (allowRename_)
        flags |= CMF_CANRENAME;
    if (FAILED(
            menu_->QueryContextMenu(popup.Get(), 0, kFirstShellCommand, kLastShellCommand, flags)))
        return;
    InsertOwnCommands(popup.Get(), insertPosition, extra);

    const HWND application = ApplicationWindow(owner);
    if (application != nullptr)
        SetForegroundWindow(application);
    const UINT command = TrackMenu(popup.Get(), point, owner);
    // Lets the menu close properly when the user clicks elsewhere.
    if (application != nullptr)
        PostMessageW(application, WM_NULL, 0, 0);

    if (command == 0)
        return;
    if (command >= kFirstOwnCommand) {
        const std::size_t index = command - kFirstOwnCommand;
        if (index < extra.size() && extra[index].OnClick)
            extra[index].OnClick();
        return;
    }
    RunShellCommand(command, owner, verb);
}

void TShellBrowserEx::RunShellCommand(UINT command, HWND owner, std::string& verb) {
    const UINT offset = command - kFirstShellCommand;
    char buffer[kMaxVerb + 1] = {};
    if (SUCCEEDED(menu_->GetCommandString(offset, GCS_VERBA, nullptr, buffer, kMaxVerb)))
        verb = buffer;
    if (SameText(verb, "rename") && OnRename) {
        OnRename(*this);
        return;
    }
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.hwnd = owner;
    invoke.lpVerb = MAKEINTRESOURCEA(offset);
    invoke.nShow = SW_SHOWNORMAL;
    if (FAILED(menu_->InvokeCommand(&invoke)))
        verb.clear();
}

ComPtr<IContextMenu> TShellBrowserEx::QueryItemMenu(HWND owner) {
    ComPtr<IContextMenu> menu;
    if (!item_ || PidlIsEmpty(item_.Get()))
        return menu;
    IShellFolder* folder = Folder();
    if (folder == nullptr)
        return menu;
    LPCITEMIDLIST item = ToShellPidl(item_.Get());
    if (FAILED(folder->GetUIObjectOf(owner, 1, &item, IID_IContextMenu, nullptr, &menu)))
        menu.Reset();
    return menu;
}

UINT TShellBrowserEx::TrackMenu(HMENU menu, POINT point, HWND owner) {
    return static_cast<UINT>(
        TrackPopupMenu(menu, kTrackFlags, point.x, point.y, 0, owner, nullptr));
}

bool TShellBrowserEx::HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& result) {
    if (!menu2_)
        return false;
    if (message != WM_DRAWITEM && message != WM_MEASUREITEM && message != WM_INITMENUPOPUP)
        return false;
    menu2_->HandleMenuMsg(message, wParam, lParam);
    result = message == WM_INITMENUPOPUP ? 0 : TRUE;
    return true;
}

}  // namespace nimbra
