#pragma once

// The options dialog as a component: its pages by title, picture and frame
// class, and the rules of one showing (which page comes first, paging with
// wrap-around, loading, closing, saving or dropping). The pages and their
// rules are portable; the dialog component, its window (fmOptionsDlgNew2)
// and the command that runs it are Windows-only.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Collections.h"
#include "controls/ActnList.h"

namespace nimbra {

class TCustomImageList;
class TOptionsDlgNew2;
class TOptionsPageFrame;

class TOptionsPage2 : public TCollectionItem {
  public:
    using TCollectionItem::TCollectionItem;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    const std::string& ImageTitle() const { return imageTitle_; }
    void SetImageTitle(const std::string& value) { imageTitle_ = value; }
    const std::string& FrameClass() const { return frameClass_; }
    void SetFrameClass(const std::string& value) { frameClass_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }

    // The picture in `images`: by ImageTitle when it names one, else
    // ImageIndex; -1 when out of range.
    int ImageIn(const TCustomImageList* images) const;

    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override { return title_; }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string title_;
    int imageIndex_ = -1;
    std::string imageTitle_;
    std::string frameClass_;
    bool visible_ = true;
};

class TOptionsPages2 : public TTypedCollection<TOptionsPage2> {
  public:
    TOptionsPage2* AddPage(const std::string& title, const std::string& imageTitle,
                           const std::string& frameClass, bool visible = true);
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// The frame class registered under `name` when it is a page class, else
// nullptr.
const TClassInfo* FindOptionsPageClass(const std::string& name);

// The pages of one dialog window and the steps they go through while it is
// shown, in page order.
class TOptionsPageSet {
  public:
    // Makes a frame (owned by `owner`, not yet placed) for each page that
    // is visible, has a title and names a registered page class; the others
    // are left out silently.
    void CreatePages(TOptionsPages2& pages, TComponent* owner);

    int Count() const { return static_cast<int>(frames_.size()); }
    TOptionsPageFrame& Frame(int index) const {
        return *frames_.at(static_cast<std::size_t>(index));
    }
    std::string Title(int index) const;
    // The shown page, -1 before the first.
    int ActiveIndex() const { return active_; }
    TOptionsPageFrame* ActiveFrame() const;
    int IndexOfTitle(const std::string& title) const;

    // The page shown first: `startTitle` when set, else `storedTitle`, else
    // the first page (a title that names no page counts as unset).
    int FirstPage(const std::string& startTitle, const std::string& storedTitle) const;
    // Shows the page (its PageActivated runs when it was not shown yet).
    // False for an index out of range.
    bool Activate(int index);
    // No page is shown (the dialog was hidden): the next Activate runs the
    // page's PageActivated again.
    void Deactivate() { active_ = -1; }
    // The page `delta` steps away from the shown one, wrapping around.
    int Neighbour(int delta) const;

    // PrepareSettings of every page, then LoadSettings of every page.
    void LoadAll();
    // Asks every page in order; the first refusal stops the closing and
    // gives in `showIndex` the page that asked to be shown (or -1).
    bool CanClose(int modalResult, int& showIndex);
    // SaveSettings (accepted) or CancelSettings of every page.
    void Finish(bool accepted);
    // DialogHidden of every page.
    void Hidden();

    // The list's hint: its own hint, then a line per page whose frame has a
    // hint, the shown page's title underlined.
    std::string ListHint(const std::string& ownHint) const;

  private:
    std::vector<TOptionsPageFrame*> frames_;
    int active_ = -1;
};

// Where the shown page's title is kept between showings: section "Config",
// ident <dialog name> + ".Active page".
std::string StoredActivePage(const std::string& dialogName);
void StoreActivePage(const std::string& dialogName, const std::string& title);

using TOptionsCloseEvent = std::function<void(TObject& sender, bool accepted)>;

class TOptionsDialog2 : public TComponent {
  public:
    explicit TOptionsDialog2(TComponent* owner);
    ~TOptionsDialog2() override;

    int InitialSize() const { return initialSize_; }
    void SetInitialSize(int value) { initialSize_ = value; }
    int InitialWidth() const { return initialWidth_; }
    void SetInitialWidth(int value) { initialWidth_ = value; }
    int InitialHeight() const { return initialHeight_; }
    void SetInitialHeight(int value) { initialHeight_ = value; }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    TOptionsPages2* Pages() const { return pages_.get(); }
    void SetPages(TOptionsPages2* pages);
    const std::string& DlgFontList() const { return dlgFontList_; }
    void SetDlgFontList(const std::string& value) { dlgFontList_ = value; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    bool ShowHelpButton() const { return showHelpButton_; }
    void SetShowHelpButton(bool value) { showHelpButton_ = value; }
    bool PreCreateDialog() const { return preCreateDialog_; }
    void SetPreCreateDialog(bool value) { preCreateDialog_ = value; }
    // Kept with the other published settings, but without effect: the
    // window layer has no way yet to give up the windows of a hidden page
    // and make them again (the program never asks for it).
    bool ForceReleaseTabs() const { return forceReleaseTabs_; }
    void SetForceReleaseTabs(bool value) { forceReleaseTabs_ = value; }
    bool ShowOnTaskbar() const { return showOnTaskbar_; }
    void SetShowOnTaskbar(bool value) { showOnTaskbar_ = value; }
    bool Modal() const { return modal_; }
    void SetModal(bool value) { modal_ = value; }
    const std::string& StartPageTitle() const { return startPageTitle_; }
    void SetStartPageTitle(const std::string& value) { startPageTitle_ = value; }
    TOptionsCloseEvent OnOptionsClose;

    bool Executing() const { return executing_; }
    // The dialog window while it exists.
    TOptionsDlgNew2* Form() const { return form_; }

    // Runs the dialog (Windows only). True when a modal run ended with OK;
    // false when cancelled, for a modeless run, and when it is already
    // running (then the program's window comes up instead).
    bool Execute();
    // The form reports that it closed, accepted or not, then that it is
    // done with its pages (Windows only).
    void OptionsClosed(bool accepted);
    void FormFinished();

    void Loaded() override;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    void CreateForm();
    // Lets go of the form without freeing it; nullptr when there is none.
    TOptionsDlgNew2* TakeForm();
    void FreeForm();

    int initialSize_ = 0;
    int initialWidth_ = 0;
    int initialHeight_ = 0;
    TCustomImageList* images_ = nullptr;
    std::unique_ptr<TOptionsPages2> pages_;
    std::string dlgFontList_;
    std::string caption_;
    bool showHelpButton_ = false;
    bool preCreateDialog_ = false;
    bool forceReleaseTabs_ = false;
    bool showOnTaskbar_ = false;
    bool modal_ = true;
    std::string startPageTitle_;
    bool executing_ = false;
    TOptionsDlgNew2* form_ = nullptr;
};

// The options dialog among the components of `target`, or else of its
// owners in turn; nullptr when there is none.
TOptionsDialog2* FindOptionsDialog(TComponent* target);

// The main window's "Options" command: runs the options dialog found from
// its target; after an accepted dialog saves the configuration and runs
// OnApplyOptions.
class TMyOptionsDialogAction : public TAction {
  public:
    explicit TMyOptionsDialogAction(TComponent* owner);

    // The component the dialog is looked for from (the action's owner
    // when not set).
    TComponent* Target() const { return target_; }
    void SetTarget(TComponent* target) { target_ = target; }
    TNotifyEvent OnBeforeOptions;
    TNotifyEvent OnApplyOptions;

    bool Execute() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    TComponent* target_ = nullptr;
};

}  // namespace nimbra
