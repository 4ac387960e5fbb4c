// The options dialog component and the command that runs it (Windows only).
#include <windows.h>

#include "app/OptionUtils2.h"
#include "app/fmOptionsDlgNew2.h"
#include "base/TypInfo.h"
#include "controls/Forms_win.h"
#include "controls/ImgList.h"
#include "utils/CfgUtils.h"

namespace nimbra {

namespace {

// Brings the program up the way its own command does (out of the
// notification area too), or at least the dialog.
void BringProgramUp(TCustomForm* dialog) {
    if (Application != nullptr && Application->MainForm() != nullptr) {
        if (auto* open =
                dynamic_cast<TBasicAction*>(Application->MainForm()->FindComponent("AppOpen"))) {
            open->Execute();
            return;
        }
    }
    if (dialog != nullptr)
        dialog->Show();
}

}  // namespace

TOptionsDialog2::TOptionsDialog2(TComponent* owner)
    : TComponent(owner), pages_(std::make_unique<TOptionsPages2>()) {}

TOptionsDialog2::~TOptionsDialog2() {
    SetImages(nullptr);
    FreeForm();
}

void TOptionsDialog2::SetImages(TCustomImageList* images) {
    if (images_ != nullptr)
        images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_ != nullptr)
        images_->FreeNotification(this);
}

void TOptionsDialog2::SetPages(TOptionsPages2* pages) {
    if (pages != nullptr && pages != pages_.get())
        pages_->Assign(*pages);
}

void TOptionsDialog2::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == images_)
        images_ = nullptr;
    if (component == form_)
        form_ = nullptr;
}

void TOptionsDialog2::Loaded() {
    TComponent::Loaded();
    if (preCreateDialog_ && Application != nullptr)
        CreateForm();
}

void TOptionsDialog2::CreateForm() {
    if (form_ != nullptr)
        return;
    form_ = new TOptionsDlgNew2(Application, *this);
    form_->FreeNotification(this);
    // A dialog with its own task-bar button is a window of its own, not
    // one owned by the main window.
    form_->SetShowInTaskBar(showOnTaskbar_);
}

TOptionsDlgNew2* TOptionsDialog2::TakeForm() {
    TOptionsDlgNew2* form = form_;
    if (form != nullptr)
        form->RemoveFreeNotification(this);
    form_ = nullptr;
    return form;
}

void TOptionsDialog2::FreeForm() {
    delete TakeForm();
}

bool TOptionsDialog2::Execute() {
    if (executing_) {
        BringProgramUp(form_);
        return false;
    }
    CreateForm();
    executing_ = true;
    if (!caption_.empty())
        form_->SetCaption(caption_);
    if (!modal_) {
        form_->SetStartPage(startPageTitle_);
        form_->Show();
        // Modeless, it may open behind the program that is active: a short
        // top-most moment brings it in front.
        if (const TWinPeer* peer = PeerOf(*form_)) {
            SetWindowPos(peer->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            SetWindowPos(peer->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        return false;
    }
    const auto endRun = [this] {
        executing_ = false;
        if (!preCreateDialog_)
            FreeForm();
    };
    bool accepted = false;
    try {
        accepted = form_->ShowModal() == mrOk;
    } catch (...) {
        endRun();
        throw;
    }
    endRun();
    return accepted;
}

void TOptionsDialog2::OptionsClosed(bool accepted) {
    if (OnOptionsClose)
        OnOptionsClose(*this, accepted);
}

void TOptionsDialog2::FormFinished() {
    if (modal_)
        return;  // Execute ends the run when the modal loop returns
    executing_ = false;
    if (!preCreateDialog_) {
        // The form is inside its own handler here: it goes once the loop is
        // back outside it.
        if (TOptionsDlgNew2* form = TakeForm())
            form->Release();
    }
}

const TClassInfo& TOptionsDialog2::StaticClassInfo() {
    using T = TOptionsDialog2;
    static const TClassInfo info(
        typeid(T), "TOptionsDialog2", &TComponent::StaticClassInfo(),
        {Published("Caption", &T::Caption, &T::SetCaption),
         Published("DlgFontList", &T::DlgFontList, &T::SetDlgFontList),
         Published("ForceReleaseTabs", &T::ForceReleaseTabs, &T::SetForceReleaseTabs, false),
         Published("InitialHeight", &T::InitialHeight, &T::SetInitialHeight, 0),
         Published("InitialSize", &T::InitialSize, &T::SetInitialSize, 0),
         Published("InitialWidth", &T::InitialWidth, &T::SetInitialWidth, 0),
         Published("Modal", &T::Modal, &T::SetModal, true),
         Published("Pages", &T::Pages, &T::SetPages),
         Published("PreCreateDialog", &T::PreCreateDialog, &T::SetPreCreateDialog, false),
         Published("ShowHelpButton", &T::ShowHelpButton, &T::SetShowHelpButton, false),
         Published("ShowOnTaskbar", &T::ShowOnTaskbar, &T::SetShowOnTaskbar, false),
         Published("StartPageTitle", &T::StartPageTitle, &T::SetStartPageTitle)});
    return info;
}

TOptionsDialog2* FindOptionsDialog(TComponent* target) {
    for (TComponent* holder = target; holder != nullptr; holder = holder->Owner()) {
        for (int i = 0; i < holder->ComponentCount(); ++i) {
            if (auto* dialog = dynamic_cast<TOptionsDialog2*>(holder->Components(i)))
                return dialog;
        }
    }
    return nullptr;
}

TMyOptionsDialogAction::TMyOptionsDialogAction(TComponent* owner) : TAction(owner) {}

bool TMyOptionsDialogAction::Execute() {
    TOptionsDialog2* dialog = FindOptionsDialog(target_ != nullptr ? target_ : Owner());
    if (dialog == nullptr)
        return false;
    if (OnBeforeOptions)
        OnBeforeOptions(*this);
    if (!dialog->Execute())
        return true;
    if (AppCfg != nullptr)
        AppCfg->Save();
    if (OnApplyOptions)
        OnApplyOptions(*this);
    return true;
}

const TClassInfo& TMyOptionsDialogAction::StaticClassInfo() {
    static const TClassInfo info("TMyOptionsDialogAction", &TAction::StaticClassInfo());
    return info;
}

}  // namespace nimbra
