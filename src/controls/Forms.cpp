#include "controls/Forms.h"

#include "controls/Menus.h"

namespace nimbra {

const TTypeInfo& EnumTypeInfo(TFormBorderStyle) {
    static const TTypeInfo info = MakeEnumTypeInfo(
        "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow"});
    return info;
}

const TTypeInfo& EnumTypeInfo(TBorderIcon) {
    static const TTypeInfo info =
        MakeEnumTypeInfo("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
    return info;
}

const TTypeInfo& EnumTypeInfo(TPosition) {
    static const TTypeInfo info = MakeEnumTypeInfo(
        "TPosition", {"poDesigned", "poDefault", "poScreenCenter", "poOwnerFormCenter"});
    return info;
}

// ---- TCustomForm ----------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
}

TCustomForm::~TCustomForm() {
    // The hooks act while the form and its window are still whole.
    if (Peer() != nullptr)
        ForEachHook([this](TFormHook& hook) { hook.FormWindowDestroying(*this); });
    if (OnDestroy)
        OnDestroy(*this);
}

void TCustomForm::ForEachHook(const std::function<void(TFormHook&)>& visit) {
    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* hook = dynamic_cast<TFormHook*>(Components(i)))
            visit(*hook);
    }
}

void TCustomForm::SetClientSize(int width, int height) {
    SetDesignClientSize({width, height});
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (activeControl_ != nullptr)
        activeControl_->RemoveFreeNotification(this);
    activeControl_ = control;
    if (activeControl_ != nullptr) {
        activeControl_->FreeNotification(this);
        activeControl_->SetFocus();
    }
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu_ != nullptr)
        menu_->RemoveFreeNotification(this);
    menu_ = menu;
    if (menu_ != nullptr)
        menu_->FreeNotification(this);
    Changed(TControlChange::State);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(*this, canClose);
    return canClose;
}

TCloseAction TCustomForm::DoClose() {
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(*this, action);
    return action;
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == activeControl_)
        activeControl_ = nullptr;
    if (component == menu_)
        menu_ = nullptr;
}

const TClassInfo& TCustomForm::StaticClassInfo() {
    using T = TCustomForm;
    static const TClassInfo info(
        "TCustomForm", &TWinControl::StaticClassInfo(),
        {Published("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSizeable),
         Published("Caption", &T::Caption, &T::SetCaption),
         Published("Position", &T::Position, &T::SetPosition, poDefault)});
    return info;
}

const TClassInfo& TForm::StaticClassInfo() {
    static const TClassInfo info("TForm", &TCustomForm::StaticClassInfo());
    return info;
}

// ---- TFrame / TDataModule -------------------------------------------------------------------

TFrame::TFrame(TComponent* owner) : TWinControl(owner) {
    SetTabStop(false);
}

const TClassInfo& TFrame::StaticClassInfo() {
    static const TClassInfo info("TFrame", &TWinControl::StaticClassInfo());
    return info;
}

const TClassInfo& TDataModule::StaticClassInfo() {
    static const TClassInfo info("TDataModule", &TComponent::StaticClassInfo());
    return info;
}

// ---- free functions -----------------------------------------------------------------------

TCustomForm* GetParentForm(const TControl& control) {
    for (const TControl* c = &control; c != nullptr; c = c->Parent()) {
        if (auto* form = dynamic_cast<const TCustomForm*>(c))
            return const_cast<TCustomForm*>(form);
    }
    return nullptr;
}

namespace {

// Visits `root` and everything it owns, depth first; stops when `visit`
// answers true and gives that answer.
bool VisitOwned(const TComponent& root, const std::function<bool(const TComponent&)>& visit) {
    if (visit(root))
        return true;
    for (int i = 0; i < root.ComponentCount(); ++i) {
        if (VisitOwned(*root.Components(i), visit))
            return true;
    }
    return false;
}

}  // namespace

void FinishLoading(TComponent& root) {
    root.BeginLoading();
    std::vector<TComponent*> owned;
    VisitOwned(root, [&](const TComponent& c) {
        if (&c != &root)
            owned.push_back(const_cast<TComponent*>(&c));
        return false;
    });
    for (TComponent* component : owned)
        component->Loaded();
    root.Loaded();
}

TAction* FindShortCutAction(const TComponent& root, TShortCut shortCut) {
    TAction* found = nullptr;
    VisitOwned(root, [&](const TComponent& c) {
        if (const auto* list = dynamic_cast<const TActionList*>(&c))
            found = list->FindShortCut(shortCut);
        return found != nullptr;
    });
    return found;
}

void UpdateAllActions(const TComponent& root) {
    VisitOwned(root, [](const TComponent& c) {
        if (const auto* list = dynamic_cast<const TActionList*>(&c))
            list->UpdateActions();
        return false;
    });
}

}  // namespace nimbra
