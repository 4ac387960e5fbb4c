// The window halves of the help viewer's controls: the system tree view and
// rich edit control.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "base/Unicode.h"
#include "controls/Controls_win.h"
#include "controls/HelpCtrls.h"
#include "help/HelpViewModel.h"

namespace nimbra {

namespace {

// ---- tree -------------------------------------------------------------------------------

class TTreeViewPeer : public TWinPeer {
  public:
    explicit TTreeViewPeer(TTreeView& tree) : TWinPeer(tree) {
        CreateSystemControl(
            WC_TREEVIEWW,
            WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
            WS_EX_CLIENTEDGE);
        Changed(TControlChange::State);
    }

    TTreeView& Tree() const { return static_cast<TTreeView&>(Control()); }

    void Changed(TControlChange change) override {
        if (change != TControlChange::State) {
            TWinPeer::Changed(change);
            return;
        }
        const int selected = Tree().Selected();
        selecting_ = true;
        if (builtVersion_ != Tree().ItemsVersion())
            Rebuild();
        if (selected >= 0 && selected < static_cast<int>(items_.size())) {
            TreeView_SelectItem(Handle(), items_[static_cast<std::size_t>(selected)]);
            TreeView_EnsureVisible(Handle(), items_[static_cast<std::size_t>(selected)]);
            // Bringing a deep item into view scrolls sideways too: the
            // titles stay readable from their start.
            SendMessageW(Handle(), WM_HSCROLL, SB_LEFT, 0);
        } else {
            TreeView_SelectItem(Handle(), nullptr);
        }
        selecting_ = false;
    }

    bool Reflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
        if (message != WM_NOTIFY)
            return false;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code != TVN_SELCHANGEDW)
            return false;
        if (!selecting_) {
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lParam);
            Tree().SelectedByUser(
                change->itemNew.hItem != nullptr ? static_cast<int>(change->itemNew.lParam) : -1);
        }
        result = 0;
        return true;
    }

  private:
    // The tree's own selection changes while it is filled are not the
    // user's: `selecting_` stays set throughout.
    void Rebuild() {
        TreeView_DeleteAllItems(Handle());
        items_.clear();
        std::vector<HTREEITEM> path;  // the last item of each level
        const std::vector<TTreeItem>& items = Tree().Items();
        for (std::size_t i = 0; i < items.size(); ++i) {
            const auto level = static_cast<std::size_t>(
                std::clamp(items[i].Level, 0, static_cast<int>(path.size())));
            std::wstring text = ToWide(items[i].Text);
            TVINSERTSTRUCTW insert{};
            insert.hParent = level == 0 ? TVI_ROOT : path[level - 1];
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_PARAM;
            insert.item.pszText = text.data();
            insert.item.lParam = static_cast<LPARAM>(i);
            const HTREEITEM item = TreeView_InsertItem(Handle(), &insert);
            path.resize(level);
            path.push_back(item);
            items_.push_back(item);
        }
        // The help's tree is small: all of it open at once.
        for (HTREEITEM item : items_)
            TreeView_Expand(Handle(), item, TVE_EXPAND);
        builtVersion_ = Tree().ItemsVersion();
    }

    std::vector<HTREEITEM> items_;
    unsigned builtVersion_ = ~0u;
    bool selecting_ = false;
};

// ---- rich text ---------------------------------------------------------------------------

// The newest rich edit control the system has; its library stays loaded for
// the process, as its window class lives there.
const wchar_t* RichEditClass() {
    static const wchar_t* name = [] {
        if (LoadLibraryW(L"msftedit.dll") != nullptr)
            return MSFTEDIT_CLASS;
        LoadLibraryW(L"riched20.dll");
        return RICHEDIT_CLASSW;
    }();
    return name;
}

struct TStreamSource {
    const std::string& text;
    std::size_t position = 0;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto& source = *reinterpret_cast<TStreamSource*>(cookie);
    const std::size_t count =
        std::min(static_cast<std::size_t>(size), source.text.size() - source.position);
    std::copy_n(source.text.data() + source.position, count, buffer);
    source.position += count;
    *read = static_cast<LONG>(count);
    return 0;
}

class TRichViewPeer : public TWinPeer {
  public:
    explicit TRichViewPeer(TRichView& view) : TWinPeer(view) {
        CreateSystemControl(RichEditClass(),
                            WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                            WS_EX_CLIENTEDGE);
        SendMessageW(Handle(), EM_SETEVENTMASK, 0, ENM_LINK);
        SendMessageW(Handle(), EM_AUTOURLDETECT, TRUE, 0);
        Changed(TControlChange::State);
    }

    TRichView& View() const { return static_cast<TRichView&>(Control()); }

    void Changed(TControlChange change) override {
        if (change != TControlChange::State) {
            TWinPeer::Changed(change);
            return;
        }
        TStreamSource source{View().RichText()};
        EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &ReadStream};
        SendMessageW(Handle(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
        PlaceLinks();
        SendMessageW(Handle(), EM_SETSEL, 0, 0);
        SendMessageW(Handle(), WM_VSCROLL, SB_TOP, 0);
    }

    bool Reflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
        if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != EN_LINK)
            return false;
        const auto* link = reinterpret_cast<const ENLINK*>(lParam);
        result = 0;
        if (link->msg != WM_LBUTTONUP)
            return false;
        const auto placed = std::find_if(links_.begin(), links_.end(), [&](const TLink& l) {
            return link->chrg.cpMin >= l.From && link->chrg.cpMin < l.To;
        });
        // A link of the text, or an address the control found by itself.
        View().LinkClicked(placed != links_.end() ? placed->Target : ToUtf8(TextRange(link->chrg)));
        return true;
    }

  private:
    struct TLink {
        LONG From;
        LONG To;
        std::string Target;
    };

    std::wstring TextRange(CHARRANGE range) const {
        if (range.cpMax < range.cpMin)
            return {};
        std::wstring text(static_cast<std::size_t>(range.cpMax - range.cpMin) + 1, L'\0');
        TEXTRANGEW request{range, text.data()};
        const auto length =
            SendMessageW(Handle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        return text;
    }

    // Finds each link between its two marks, takes the marks out (from the
    // end, so earlier places stay) and makes the text a link.
    void PlaceLinks() {
        links_.clear();
        GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
        const auto count = static_cast<LONG>(
            SendMessageW(Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
        const std::wstring text = TextRange({0, count});
        std::vector<LONG> marks;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == kLinkMark)
                marks.push_back(static_cast<LONG>(i));
        const std::vector<std::string>& targets = View().LinkTargets();
        const std::size_t pairs = std::min(marks.size() / 2, targets.size());
        for (std::size_t k = pairs; k-- > 0;) {
            const LONG from = marks[2 * k];
            const LONG to = marks[2 * k + 1];
            RemoveCharacter(to);
            RemoveCharacter(from);
            links_.push_back({from, to - 1, targets[k]});
        }
        std::reverse(links_.begin(), links_.end());
        for (const TLink& link : links_) {
            SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(link.From),
                         static_cast<LPARAM>(link.To));
            CHARFORMAT2W format{};
            format.cbSize = sizeof format;
            format.dwMask = CFM_LINK;
            format.dwEffects = CFE_LINK;
            SendMessageW(Handle(), EM_SETCHARFORMAT, SCF_SELECTION,
                         reinterpret_cast<LPARAM>(&format));
        }
    }

    void RemoveCharacter(LONG at) {
        SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at + 1));
        SendMessageW(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }

    std::vector<TLink> links_;
};

}  // namespace

std::unique_ptr<TControlPeer> MakeTreeViewPeer(TControl& control) {
    return std::make_unique<TTreeViewPeer>(static_cast<TTreeView&>(control));
}

std::unique_ptr<TControlPeer> MakeRichViewPeer(TControl& control) {
    return std::make_unique<TRichViewPeer>(static_cast<TRichView&>(control));
}

}  // namespace nimbra
