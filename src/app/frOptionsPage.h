#pragma once

// The base of every page of the options dialog and the steps a page takes
// part in while the dialog is shown. Portable: the dialog's rules are
// tested without windows.
#include <string>

#include "controls/Forms.h"
#include "controls/StdCtrls.h"

namespace nimbra {

class TOptionsPage2;

class TOptionsPageFrame : public TFrame {
  public:
    explicit TOptionsPageFrame(TComponent* owner);

    // The page item the frame was made for.
    TOptionsPage2* Page() const { return page_; }
    void SetPage(TOptionsPage2* page) { page_ = page; }

    // The dialog is being hidden.
    virtual void DialogHidden() {}
    // The page has become the shown one.
    virtual void PageActivated() {}
    // Settings into the controls; runs at every showing of the dialog.
    virtual void LoadSettings() {}
    // Controls back into the settings; the dialog was accepted.
    virtual void SaveSettings() {}
    // Runs just before LoadSettings.
    virtual void PrepareSettings() {}
    // The dialog closed without being accepted.
    virtual void CancelSettings() {}
    // The long part of the frame's hint, or the options dialog's topic.
    virtual std::string GetHelpTopic() const;
    // Whether the dialog may close with `result`; a page that refuses may
    // set `showPage` to be shown.
    virtual bool CanClose(int modalResult, bool& showPage);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // The size every page is designed at: the dialog's page area.
    static constexpr int kPageWidth = 426;
    static constexpr int kPageHeight = 371;
    // The page's name and size, and its bold title at the top ("TitleLabel").
    TLabel* InitPage(const char* name, const char* title);

  private:
    TOptionsPage2* page_ = nullptr;
};

}  // namespace nimbra
