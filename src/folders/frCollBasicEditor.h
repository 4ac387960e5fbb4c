#pragma once

// The collection editor frame: a report list over a private copy of a
// collection, with commands to add, edit, remove, move, cut, copy, paste,
// select and tick items (Windows only). Subclasses say what the items are,
// how a row looks and how an item is edited.
#include <memory>
#include <string>
#include <vector>

#include "base/Collections.h"
#include "controls/ActnList.h"
#include "controls/CheckListView.h"
#include "controls/ExtCtrls.h"
#include "controls/Forms.h"
#include "controls/Menus.h"
#include "folders/CollEditUtils.h"

namespace nimbra {

class TNewLocalizer;
class TShellImageList;

class TCollBasicFrame : public TFrame {
  public:
    ~TCollBasicFrame() override;

    TCheckListView* ListView1 = nullptr;
    TActionList* CollActions = nullptr;
    TAction* CollAdd = nullptr;
    TAction* CollEdit = nullptr;
    TAction* CollRemove = nullptr;
    TAction* CollUp = nullptr;
    TAction* CollDown = nullptr;
    TAction* CollCut = nullptr;
    TAction* CollCopy = nullptr;
    TAction* CollPaste = nullptr;
    TAction* CollSelAll = nullptr;
    TAction* ColToggleItemState = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TNewLocalizer* NewLocalizer1 = nullptr;

    // The private copy is assigned from `source`; modified is cleared.
    void LoadCollection(const TCollection& source);
    // `target` is assigned from the private copy.
    void StoreCollection(TCollection& target) const;
    TCollection& Collection() const { return *collection_; }
    bool Modified() const { return modified_; }
    TNotifyEvent OnChange;
    void FocusList();

    // Adds an item (after the selected row when `afterSelection`), with the
    // edit hook when `edit`; the item, or nullptr when the add was undone.
    TCollectionItem* AddItem(bool edit, bool afterSelection);
    // Rebuilds every row from the collection, keeping the selected items.
    void RefreshRows();
    // The items of the selected rows, in list order.
    std::vector<TCollectionItem*> SelectedItems() const;
    void SelectItems(const std::vector<TCollectionItem*>& items);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // Builds the list and the commands; the subclass's constructor ends
    // with InitFrame(), which runs the creation hooks.
    explicit TCollBasicFrame(TComponent* owner);
    void InitFrame();

    // ---- hooks, in the order the frame uses them ----
    virtual std::unique_ptr<TCollection> CreateCollection() const = 0;
    virtual void FillRow(TCollectionItem& item, TCheckListRow& row);
    virtual bool EditItem(TCollectionItem& item, bool isNew);
    virtual std::string ItemCaption(const TCollectionItem& item) const;
    virtual void SetupList() {}
    virtual std::string ClipboardFormatText() const;
    virtual std::string ItemClipboardText(const TCollectionItem& item) const;
    virtual void FillFromText(TCollectionItem& item, const std::string& text);
    virtual TRowCheck ItemState(const TCollectionItem& item) const;
    virtual void SetItemState(TCollectionItem& item, TRowCheck state);
    virtual bool ShowItem(const TCollectionItem& item) const;
    virtual bool CanEdit(const TCollectionItem& item) const;
    virtual bool CanToggle(const TCollectionItem& item) const;
    virtual void RecordChange();
    virtual void LocalizeColumns() {}

    bool DeleteOnCancel() const { return deleteOnCancel_; }
    void SetDeleteOnCancel(bool value) { deleteOnCancel_ = value; }
    TTextPasteOptions TextPaste() const { return textPaste_; }
    void SetTextPaste(TTextPasteOptions options) { textPaste_ = options; }
    // Set while the frame itself adds or pastes items.
    bool Busy() const { return busy_; }
    // While locked, changes neither set modified nor fire OnChange.
    void BeginUpdateLock() { ++updateLock_; }
    void EndUpdateLock() { --updateLock_; }
    TAction* MakeCollAction(const char* name, const char* caption, const char* hint);

  private:
    void CreateCommands();
    void CreatePopupMenu();
    void UpdateCommands();
    void AttachShortCuts(bool attach);
    void ListKeyDown(std::uint16_t& key, TShiftState shift);
    TCheckListRow RowOf(TCollectionItem& item);
    std::vector<int> SelectedPositions() const;
    void SelectPositions(const TPositions& positions);

    void Edit();
    void Remove();
    void Move(bool up);
    void Drop(int draggedRow, int targetRow);
    void Copy();
    void Cut();
    void Paste();
    bool CanPaste();
    void ToggleStates();
    void CheckChanged(int row, TRowCheck state);
    unsigned ClipboardFormatId();

    std::unique_ptr<TCollection> collection_;
    std::vector<TCollectionItem*> rowItems_;
    bool modified_ = false;
    bool deleteOnCancel_ = false;
    bool busy_ = false;
    int updateLock_ = 0;
    TTextPasteOptions textPaste_;
    unsigned clipboardFormat_ = 0;
};

// The frame with a column of buttons for the commands beside the list.
class TCollImgBtnFrame : public TCollBasicFrame {
  public:
    TPanel* ButtonPanel = nullptr;
    TButton* AddButton = nullptr;
    TButton* EditButton = nullptr;
    TButton* RemoveButton = nullptr;
    TButton* UpButton = nullptr;
    TButton* DownButton = nullptr;
    TButton* CutButton = nullptr;
    TButton* CopyButton = nullptr;
    TButton* PasteButton = nullptr;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    explicit TCollImgBtnFrame(TComponent* owner);
    // Adds a button for `action` below the others.
    TButton* AddCommandButton(const char* name, TAction* action);

  private:
    int nextButtonTop_ = 0;
};

// The editor of the include-folders dialogs: several rows at a time, check
// boxes, the system's icons; a cancelled add leaves nothing behind.
class TNimbraCustomEditFrame : public TCollImgBtnFrame {
  public:
    TShellImageList* ShellImageList1 = nullptr;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    explicit TNimbraCustomEditFrame(TComponent* owner);
    int ClosedFolderIcon() const { return closedFolderIcon_; }

  private:
    int closedFolderIcon_ = -1;
};

}  // namespace nimbra
