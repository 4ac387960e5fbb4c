#include "folders/frCollBasicEditor.h"

#include <windows.h>

#include <algorithm>

#include "controls/Clipboard_win.h"
#include "controls/Controls_win.h"
#include "controls/Dialogs_win.h"
#include "controls/StdCtrls.h"
#include "shell/ShellImageList_win.h"
#include "utils/NewLangUtils.h"

namespace nimbra {

namespace {

// The keys of the commands, given to the actions only while the list has
// the focus, so that they act nowhere else in the window.
struct TCommandKey {
    TAction* TCollBasicFrame::*Action;
    TShortCut Key;
};

constexpr TCommandKey kCommandKeys[] = {
    {&TCollBasicFrame::CollAdd, VK_INSERT},        {&TCollBasicFrame::CollEdit, VK_F2},
    {&TCollBasicFrame::CollRemove, VK_DELETE},     {&TCollBasicFrame::CollUp, scAlt | VK_UP},
    {&TCollBasicFrame::CollDown, scAlt | VK_DOWN}, {&TCollBasicFrame::CollCut, scCtrl | 'X'},
    {&TCollBasicFrame::CollCopy, scCtrl | 'C'},    {&TCollBasicFrame::CollPaste, scCtrl | 'V'},
    {&TCollBasicFrame::CollSelAll, scCtrl | 'A'},
};

}  // namespace

// ---- TCollBasicFrame ------------------------------------------------------------------

TCollBasicFrame::TCollBasicFrame(TComponent* owner) : TFrame(owner) {
    SetBounds(0, 0, 320, 240);
    ListView1 = new TCheckListView(this);
    ListView1->SetName("ListView1");
    ListView1->SetParent(this);
    ListView1->SetAlign(alClient);
    ListView1->SetDragReorder(true);
    ListView1->OnEnter = [this](TObject&) { AttachShortCuts(true); };
    ListView1->OnExit = [this](TObject&) { AttachShortCuts(false); };
    ListView1->OnKeyDown = [this](TObject&, std::uint16_t& key, TShiftState shift) {
        ListKeyDown(key, shift);
    };
    ListView1->OnDblClick = [this](TObject&) {
        UpdateCommands();
        if (CollEdit->Visible() && CollEdit->Enabled())
            CollEdit->Execute();
    };
    ListView1->OnCheckChanged = [this](int row, TRowCheck state) { CheckChanged(row, state); };
    ListView1->OnCanToggle = [this](int row) {
        return row >= 0 && row < static_cast<int>(rowItems_.size()) &&
               CanToggle(*rowItems_[static_cast<std::size_t>(row)]);
    };
    ListView1->OnDrop = [this](int dragged, int target) { Drop(dragged, target); };
    CreateCommands();
    CreatePopupMenu();
    ListView1->SetPopupMenu(PopupMenu1);
    NewLocalizer1 = new TNewLocalizer(this);
    NewLocalizer1->SetName("NewLocalizer1");
    NewLocalizer1->OnLocalize = [this](TNewLocalizer&) { LocalizeColumns(); };
}

TCollBasicFrame::~TCollBasicFrame() = default;

void TCollBasicFrame::InitFrame() {
    collection_ = CreateCollection();
    SetupList();
    LocalizeColumns();
    RefreshRows();
}

TAction* TCollBasicFrame::MakeCollAction(const char* name, const char* caption, const char* hint) {
    auto* action = new TAction(this);
    action->SetName(name);
    action->SetCaption(caption);
    action->SetHint(hint);
    action->SetActionList(CollActions);
    action->OnUpdate = [this](TObject&) { UpdateCommands(); };
    return action;
}

void TCollBasicFrame::CreateCommands() {
    CollActions = new TActionList(this);
    CollActions->SetName("CollActions");
    CollAdd = MakeCollAction("CollAdd", "&Add...", "Add|Add a new item.");
    CollAdd->OnExecute = [this](TObject&) { AddItem(true, false); };
    CollEdit = MakeCollAction("CollEdit", "&Edit...", "Edit|Edit the selected item.");
    CollEdit->OnExecute = [this](TObject&) { Edit(); };
    CollRemove = MakeCollAction("CollRemove", "&Remove...", "Remove|Remove the selected items.");
    CollRemove->OnExecute = [this](TObject&) { Remove(); };
    CollUp = MakeCollAction("CollUp", "&Up", "Up|Move the selected items up.");
    CollUp->OnExecute = [this](TObject&) { Move(true); };
    CollDown = MakeCollAction("CollDown", "&Down", "Down|Move the selected items down.");
    CollDown->OnExecute = [this](TObject&) { Move(false); };
    CollCut = MakeCollAction("CollCut", "Cu&t", "Cut|Move the selected items to the clipboard.");
    CollCut->OnExecute = [this](TObject&) { Cut(); };
    CollCopy =
        MakeCollAction("CollCopy", "&Copy", "Copy|Copy the selected items to the clipboard.");
    CollCopy->OnExecute = [this](TObject&) { Copy(); };
    CollPaste = MakeCollAction("CollPaste", "&Paste", "Paste|Insert the items from the clipboard.");
    CollPaste->OnExecute = [this](TObject&) { Paste(); };
    CollSelAll = MakeCollAction("CollSelAll", "Select a&ll", "Select all|Select all items.");
    CollSelAll->OnExecute = [this](TObject&) {
        std::vector<int> all(static_cast<std::size_t>(ListView1->RowCount()));
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = static_cast<int>(i);
        ListView1->SelectRows(all, ListView1->FocusedRow());
    };
    ColToggleItemState = MakeCollAction("ColToggleItemState", "", "");
    ColToggleItemState->OnExecute = [this](TObject&) { ToggleStates(); };
}

void TCollBasicFrame::CreatePopupMenu() {
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    const auto add = [&](TAction* action) {
        auto* item = new TMenuItem(this);
        // Lines stay nameless: they have no text to translate.
        if (action != nullptr) {
            item->SetName(("Pm" + action->Name()).c_str());
            item->SetAction(action);
        } else {
            item->SetCaption("-");
        }
        PopupMenu1->Items()->Add(item);
        return item;
    };
    add(CollAdd);
    add(CollRemove);
    add(nullptr);
    add(CollUp);
    add(CollDown);
    add(nullptr);
    add(CollCopy);
    add(CollCut);
    add(CollPaste);
    add(nullptr);
    add(CollSelAll);
    add(nullptr);
    add(CollEdit)->SetDefault(true);
}

void TCollBasicFrame::UpdateCommands() {
    const bool visible = ListView1->Visible();
    const std::vector<int>& selected = ListView1->Selected();
    const bool one = selected.size() == 1;
    CollAdd->SetEnabled(visible);
    CollEdit->SetEnabled(visible && one &&
                         CanEdit(*rowItems_[static_cast<std::size_t>(selected[0])]));
    CollRemove->SetEnabled(visible && !selected.empty());
    const std::vector<int> positions = SelectedPositions();
    CollUp->SetEnabled(visible && ListView1->DragReorder() && CanMoveUp(positions));
    CollDown->SetEnabled(visible && ListView1->DragReorder() &&
                         CanMoveDown(positions, collection_->Count()));
    for (TAction* action : {CollCut, CollCopy, ColToggleItemState})
        action->SetEnabled(action->Visible() && visible && !selected.empty());
    CollPaste->SetEnabled(CollPaste->Visible() && visible && CanPaste());
    CollSelAll->SetEnabled(visible && ListView1->MultiSelect());
}

void TCollBasicFrame::AttachShortCuts(bool attach) {
    for (const TCommandKey& key : kCommandKeys)
        (this->*key.Action)->SetShortCut(attach ? key.Key : 0);
}

// Ctrl+Insert, Shift+Insert and Shift+Delete, the older clipboard keys.
void TCollBasicFrame::ListKeyDown(std::uint16_t& key, TShiftState shift) {
    if (!CollCopy->Visible())
        return;
    TAction* action = nullptr;
    if (key == VK_INSERT && shift == TShiftState{ssCtrl})
        action = CollCopy;
    else if (key == VK_INSERT && shift == TShiftState{ssShift})
        action = CollPaste;
    else if (key == VK_DELETE && shift == TShiftState{ssShift})
        action = CollCut;
    if (action == nullptr)
        return;
    UpdateCommands();
    if (action->Enabled())
        action->Execute();
    key = 0;
}

// ---- loading and rows ----

void TCollBasicFrame::LoadCollection(const TCollection& source) {
    collection_->Assign(source);
    RefreshRows();
    modified_ = false;
}

void TCollBasicFrame::StoreCollection(TCollection& target) const {
    target.Assign(*collection_);
}

void TCollBasicFrame::FocusList() {
    ListView1->SetFocus();
}

TCheckListRow TCollBasicFrame::RowOf(TCollectionItem& item) {
    TCheckListRow row;
    FillRow(item, row);
    return row;
}

void TCollBasicFrame::RefreshRows() {
    const std::vector<TCollectionItem*> selected = SelectedItems();
    rowItems_.clear();
    std::vector<TCheckListRow> rows;
    for (int i = 0; i < collection_->Count(); ++i) {
        TCollectionItem* item = collection_->Items(i);
        if (!ShowItem(*item))
            continue;
        rowItems_.push_back(item);
        rows.push_back(RowOf(*item));
    }
    ListView1->SetRows(std::move(rows));
    SelectItems(selected);
}

std::vector<TCollectionItem*> TCollBasicFrame::SelectedItems() const {
    std::vector<TCollectionItem*> items;
    for (int row : ListView1->Selected()) {
        if (row < static_cast<int>(rowItems_.size()))
            items.push_back(rowItems_[static_cast<std::size_t>(row)]);
    }
    return items;
}

void TCollBasicFrame::SelectItems(const std::vector<TCollectionItem*>& items) {
    std::vector<int> rows;
    for (TCollectionItem* item : items) {
        const auto it = std::find(rowItems_.begin(), rowItems_.end(), item);
        if (it != rowItems_.end())
            rows.push_back(static_cast<int>(it - rowItems_.begin()));
    }
    ListView1->SelectRows(rows, rows.empty() ? -1 : rows.front());
}

std::vector<int> TCollBasicFrame::SelectedPositions() const {
    std::vector<int> positions;
    for (TCollectionItem* item : SelectedItems())
        positions.push_back(item->Index());
    return positions;
}

void TCollBasicFrame::SelectPositions(const TPositions& positions) {
    std::vector<TCollectionItem*> items;
    for (int position : positions) {
        if (position >= 0 && position < collection_->Count())
            items.push_back(collection_->Items(position));
    }
    RefreshRows();
    SelectItems(items);
}

// ---- commands ----

TCollectionItem* TCollBasicFrame::AddItem(bool edit, bool afterSelection) {
    const std::vector<TCollectionItem*> previous = SelectedItems();
    const std::vector<int> positions = SelectedPositions();
    const int after = afterSelection && !positions.empty() ? positions.front() : -1;
    TCollectionItem* item = nullptr;
    {
        const bool wasBusy = busy_;
        busy_ = true;
        try {
            item = AddEditedItem(
                *collection_, after,
                edit ? std::function<bool(TCollectionItem&)>(
                           [this](TCollectionItem& added) { return EditItem(added, true); })
                     : nullptr,
                deleteOnCancel_);
        } catch (...) {
            busy_ = wasBusy;
            RefreshRows();
            SelectItems(previous);
            throw;
        }
        busy_ = wasBusy;
    }
    RefreshRows();
    if (item == nullptr) {
        SelectItems(previous);
        return nullptr;
    }
    SelectItems({item});
    RecordChange();
    return item;
}

void TCollBasicFrame::Edit() {
    const std::vector<TCollectionItem*> items = SelectedItems();
    if (items.size() != 1 || !CanEdit(*items[0]))
        return;
    if (!EditItem(*items[0], false))
        return;
    RefreshRows();
    RecordChange();
}

void TCollBasicFrame::Remove() {
    const std::vector<TCollectionItem*> items = SelectedItems();
    if (items.empty())
        return;
    const std::string question =
        DeleteQuestion(static_cast<int>(items.size()), ItemCaption(*items[0]));
    if (MessageDlg(question, mtConfirmation, mbYesNo) != mrYes)
        return;
    // The box pumped messages: ask the list again what is selected.
    DeleteItems(*collection_, SelectedPositions());
    RefreshRows();
    RecordChange();
}

void TCollBasicFrame::Move(bool up) {
    const TPositions positions = SelectedPositions();
    if (up ? !CanMoveUp(positions) : !CanMoveDown(positions, collection_->Count()))
        return;
    const TPositions moved =
        up ? MoveItemsUp(*collection_, positions) : MoveItemsDown(*collection_, positions);
    SelectPositions(moved);
    RecordChange();
}

void TCollBasicFrame::Drop(int draggedRow, int targetRow) {
    if (draggedRow < 0 || targetRow < 0 || draggedRow >= static_cast<int>(rowItems_.size()) ||
        targetRow >= static_cast<int>(rowItems_.size()))
        return;
    const int dragged = rowItems_[static_cast<std::size_t>(draggedRow)]->Index();
    const int target = rowItems_[static_cast<std::size_t>(targetRow)]->Index();
    TPositions positions = SelectedPositions();
    if (positions.empty())
        positions = {dragged};
    SelectPositions(DropItems(*collection_, positions, dragged, target));
    RecordChange();
}

unsigned TCollBasicFrame::ClipboardFormatId() {
    if (clipboardFormat_ == 0)
        clipboardFormat_ = ClipboardFormat(ClipboardFormatText());
    return clipboardFormat_;
}

void TCollBasicFrame::Copy() {
    const std::vector<TCollectionItem*> items = SelectedItems();
    if (items.empty())
        return;
    const std::unique_ptr<TCollection> copies = CreateCollection();
    std::vector<std::string> captions;
    for (TCollectionItem* item : items) {
        copies->Add()->Assign(*item);
        captions.push_back(ItemClipboardText(*item));
    }
    const TWinPeer* peer = PeerOf(*ListView1);
    WriteClipboard(peer != nullptr ? peer->Handle() : nullptr, ClipboardText(captions),
                   ClipboardFormatId(), WriteCollectionStream(*copies));
}

void TCollBasicFrame::Cut() {
    if (ListView1->Selected().empty())
        return;
    Copy();
    DeleteItems(*collection_, SelectedPositions());
    RefreshRows();
    RecordChange();
}

bool TCollBasicFrame::CanPaste() {
    return ClipboardHasFormat(ClipboardFormatId()) ||
           (textPaste_.Contains(tpText) && ClipboardHasText());
}

void TCollBasicFrame::Paste() {
    TPositions added;
    const bool wasBusy = busy_;
    busy_ = true;
    try {
        if (ClipboardHasFormat(ClipboardFormatId())) {
            const std::optional<std::string> data = ReadClipboardData(ClipboardFormatId());
            const std::unique_ptr<TCollection> pasted = CreateCollection();
            // Bytes that are not ours (another program may register the same
            // name) paste nothing.
            try {
                if (data)
                    ReadCollectionStream(*data, *pasted);
            } catch (const EConvertError&) {
                pasted->Clear();
            }
            added = AppendCopies(*collection_, *pasted);
        } else if (textPaste_.Contains(tpText)) {
            if (const std::optional<std::string> text = ReadClipboardText())
                added = AppendTextItems(*collection_, PastedTextItems(*text, textPaste_),
                                        [this](TCollectionItem& item, const std::string& line) {
                                            FillFromText(item, line);
                                        });
        }
    } catch (...) {
        busy_ = wasBusy;
        RefreshRows();
        throw;
    }
    busy_ = wasBusy;
    if (added.empty())
        return;
    SelectPositions(added);
    RecordChange();
}

void TCollBasicFrame::ToggleStates() {
    bool changed = false;
    for (int row : std::vector<int>(ListView1->Selected())) {
        TCollectionItem& item = *rowItems_[static_cast<std::size_t>(row)];
        const TRowCheck state = ItemState(item);
        if (state == rcNone || !CanToggle(item))
            continue;
        SetItemState(item, state == rcTicked ? rcClear : rcTicked);
        ListView1->SetRow(row, RowOf(item));
        changed = true;
    }
    if (changed)
        RecordChange();
}

void TCollBasicFrame::CheckChanged(int row, TRowCheck state) {
    if (row < 0 || row >= static_cast<int>(rowItems_.size()))
        return;
    TCollectionItem& item = *rowItems_[static_cast<std::size_t>(row)];
    if (state == ItemState(item))
        return;
    SetItemState(item, state);
    RecordChange();
}

// ---- default hooks ----

void TCollBasicFrame::FillRow(TCollectionItem& item, TCheckListRow& row) {
    row.Caption = ItemCaption(item);
    row.Check = ItemState(item);
}

bool TCollBasicFrame::EditItem(TCollectionItem&, bool) {
    return false;
}

std::string TCollBasicFrame::ItemCaption(const TCollectionItem&) const {
    return {};
}

std::string TCollBasicFrame::ClipboardFormatText() const {
    const std::unique_ptr<TCollection> sample = CreateCollection();
    return ClipboardFormatName(*sample, *sample->Add());
}

std::string TCollBasicFrame::ItemClipboardText(const TCollectionItem& item) const {
    return ItemCaption(item);
}

void TCollBasicFrame::FillFromText(TCollectionItem&, const std::string&) {}

TRowCheck TCollBasicFrame::ItemState(const TCollectionItem&) const {
    return rcClear;
}

void TCollBasicFrame::SetItemState(TCollectionItem&, TRowCheck) {}

bool TCollBasicFrame::ShowItem(const TCollectionItem&) const {
    return true;
}

bool TCollBasicFrame::CanEdit(const TCollectionItem&) const {
    return true;
}

bool TCollBasicFrame::CanToggle(const TCollectionItem&) const {
    return true;
}

void TCollBasicFrame::RecordChange() {
    if (updateLock_ > 0)
        return;
    modified_ = true;
    if (OnChange)
        OnChange(*this);
}

const TClassInfo& TCollBasicFrame::StaticClassInfo() {
    static const TClassInfo info("TCollBasicFrame", &TFrame::StaticClassInfo());
    return info;
}

// ---- TCollImgBtnFrame -------------------------------------------------------------------

namespace {
constexpr int kButtonPanelWidth = 112;
constexpr int kButtonWidth = 104;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 3;
}  // namespace

TCollImgBtnFrame::TCollImgBtnFrame(TComponent* owner) : TCollBasicFrame(owner) {
    ButtonPanel = new TPanel(this);
    ButtonPanel->SetName("ButtonPanel");
    ButtonPanel->SetParent(this);
    ButtonPanel->SetAlign(alRight);
    ButtonPanel->SetWidth(kButtonPanelWidth);
    ButtonPanel->SetCaption("");
    AddButton = AddCommandButton("AddButton", CollAdd);
    EditButton = AddCommandButton("EditButton", CollEdit);
    RemoveButton = AddCommandButton("RemoveButton", CollRemove);
    nextButtonTop_ += kButtonGap * 2;
    UpButton = AddCommandButton("UpButton", CollUp);
    DownButton = AddCommandButton("DownButton", CollDown);
    nextButtonTop_ += kButtonGap * 2;
    CutButton = AddCommandButton("CutButton", CollCut);
    CopyButton = AddCommandButton("CopyButton", CollCopy);
    PasteButton = AddCommandButton("PasteButton", CollPaste);
}

TButton* TCollImgBtnFrame::AddCommandButton(const char* name, TAction* action) {
    auto* button = new TButton(this);
    button->SetName(name);
    button->SetParent(ButtonPanel);
    button->SetBounds(kButtonPanelWidth - kButtonWidth, nextButtonTop_, kButtonWidth,
                      kButtonHeight);
    button->SetAction(action);
    // The focus stays in the list, where the commands' keys work.
    button->SetTabStop(false);
    nextButtonTop_ += kButtonHeight + kButtonGap;
    return button;
}

const TClassInfo& TCollImgBtnFrame::StaticClassInfo() {
    static const TClassInfo info("TCollImgBtnFrame", &TCollBasicFrame::StaticClassInfo());
    return info;
}

// ---- TNimbraCustomEditFrame ----------------------------------------------------------------

TNimbraCustomEditFrame::TNimbraCustomEditFrame(TComponent* owner) : TCollImgBtnFrame(owner) {
    ListView1->SetMultiSelect(true);
    ListView1->SetCheckBoxes(true);
    ListView1->SetSystemImages(true);
    ShellImageList1 = new TShellImageList(this);
    ShellImageList1->SetName("ShellImageList1");
    closedFolderIcon_ = GetFolderIconIndex(false);
    SetDeleteOnCancel(true);
}

const TClassInfo& TNimbraCustomEditFrame::StaticClassInfo() {
    static const TClassInfo info("TNimbraCustomEditFrame", &TCollImgBtnFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
