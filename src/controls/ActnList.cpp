#include "controls/ActnList.h"

#include <algorithm>

#include "controls/ImgList.h"

namespace nimbra {

// ---- TBasicAction ---------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
    // A client may unregister itself while being told.
    while (!clients_.empty()) {
        TActionClient* client = clients_.back();
        clients_.pop_back();
        client->ActionDestroying(*this);
    }
}

bool TBasicAction::Execute() {
    if (!OnExecute)
        return false;
    OnExecute(*this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate)
        return false;
    OnUpdate(*this);
    return true;
}

void TBasicAction::RegisterClient(TActionClient* client) {
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end())
        clients_.push_back(client);
}

void TBasicAction::UnregisterClient(TActionClient* client) {
    std::erase(clients_, client);
}

void TBasicAction::Change() {
    // A client told of the change may register or unregister others.
    const std::vector<TActionClient*> clients = clients_;
    for (TActionClient* client : clients) {
        if (std::find(clients_.begin(), clients_.end(), client) != clients_.end())
            client->ActionChanged(*this);
    }
}

const TClassInfo& TBasicAction::StaticClassInfo() {
    static const TClassInfo info("TBasicAction", &TComponent::StaticClassInfo());
    return info;
}

// ---- TAction --------------------------------------------------------------------

TAction::TAction(TComponent* owner) : TBasicAction(owner) {}

TAction::~TAction() {
    SetActionList(nullptr);
}

void TAction::SetActionList(TActionList* list) {
    if (actionList_ == list)
        return;
    if (actionList_ != nullptr)
        actionList_->RemoveAction(this);
    actionList_ = list;
    if (actionList_ != nullptr)
        actionList_->AddAction(this);
}

void TAction::SetCaption(const std::string& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    Change();
}

void TAction::SetHint(const std::string& hint) {
    if (hint_ == hint)
        return;
    hint_ = hint;
    Change();
}

void TAction::SetShortCut(TShortCut shortCut) {
    if (shortCut_ == shortCut)
        return;
    shortCut_ = shortCut;
    Change();
}

void TAction::SetChecked(bool checked) {
    if (checked_ == checked)
        return;
    checked_ = checked;
    if (checked_)
        UncheckGroup();
    Change();
}

void TAction::UncheckGroup() {
    if (groupIndex_ <= 0 || actionList_ == nullptr)
        return;
    for (int i = 0; i < actionList_->ActionCount(); ++i) {
        TAction* other = actionList_->Actions(i);
        if (other != this && other->groupIndex_ == groupIndex_)
            other->SetChecked(false);
    }
}

void TAction::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Change();
}

void TAction::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    Change();
}

void TAction::SetAutoCheck(bool autoCheck) {
    if (autoCheck_ == autoCheck)
        return;
    autoCheck_ = autoCheck;
    Change();
}

void TAction::SetImageIndex(int index) {
    if (imageIndex_ == index)
        return;
    imageIndex_ = index;
    Change();
}

void TAction::SetGroupIndex(int index) {
    if (groupIndex_ == index)
        return;
    groupIndex_ = index;
    Change();
}

void TAction::SetHelpContext(int context) {
    if (helpContext_ == context)
        return;
    helpContext_ = context;
    Change();
}

bool TAction::Execute() {
    Update();
    if (!enabled_)
        return false;
    // A checked member of a group stays checked when executed again.
    if (autoCheck_ && (!checked_ || groupIndex_ == 0))
        SetChecked(!checked_);
    DoExecute();
    return true;
}

void TAction::DoExecute() {
    if (OnExecute)
        OnExecute(*this);
}

const TClassInfo& TAction::StaticClassInfo() {
    using T = TAction;
    static const TClassInfo info("TAction", &TBasicAction::StaticClassInfo(),
                                 {Published("AutoCheck", &T::AutoCheck, &T::SetAutoCheck, false),
                                  Published("Caption", &T::Caption, &T::SetCaption),
                                  Published("Checked", &T::Checked, &T::SetChecked, false),
                                  Published("Enabled", &T::Enabled, &T::SetEnabled, true),
                                  Published("GroupIndex", &T::GroupIndex, &T::SetGroupIndex, 0),
                                  Published("HelpContext", &T::HelpContext, &T::SetHelpContext, 0),
                                  Published("Hint", &T::Hint, &T::SetHint),
                                  Published("ImageIndex", &T::ImageIndex, &T::SetImageIndex, -1),
                                  Published("ShortCut", &T::ShortCut, &T::SetShortCut, 0),
                                  Published("Visible", &T::Visible, &T::SetVisible, true)});
    return info;
}

// ---- TActionList ----------------------------------------------------------------

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
    while (!actions_.empty())
        actions_.back()->SetActionList(nullptr);
}

void TActionList::SetImages(TCustomImageList* images) {
    if (images_ != nullptr)
        images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_ != nullptr)
        images_->FreeNotification(this);
}

TAction* TActionList::FindShortCut(TShortCut shortCut) const {
    if (shortCut == 0)
        return nullptr;
    for (TAction* action : actions_) {
        if (action->ShortCut() != shortCut)
            continue;
        action->Update();
        if (action->ShortCut() == shortCut && action->Enabled() && action->Visible())
            return action;
    }
    return nullptr;
}

void TActionList::UpdateActions() const {
    // An update handler may add or remove actions of this list.
    const std::vector<TAction*> actions = actions_;
    for (TAction* action : actions) {
        if (std::find(actions_.begin(), actions_.end(), action) != actions_.end())
            action->Update();
    }
}

void TActionList::AddAction(TAction* action) {
    actions_.push_back(action);
}

void TActionList::RemoveAction(TAction* action) {
    std::erase(actions_, action);
}

void TActionList::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_)
        images_ = nullptr;
}

const TClassInfo& TActionList::StaticClassInfo() {
    static const TClassInfo info("TActionList", &TComponent::StaticClassInfo());
    return info;
}

// ---- TMyLinkedAction ----------------------------------------------------------------

TMyLinkedAction::TMyLinkedAction(TComponent* owner) : TAction(owner) {}

TMyLinkedAction::~TMyLinkedAction() {
    SetLink(nullptr);
}

void TMyLinkedAction::SetLink(TAction* link) {
    if (link_ == link)
        return;
    if (link_ != nullptr) {
        link_->UnregisterClient(this);
        link_->RemoveFreeNotification(this);
    }
    link_ = link;
    if (link_ == nullptr)
        return;
    link_->RegisterClient(this);
    link_->FreeNotification(this);
    CopyFromLink(true);
}

void TMyLinkedAction::CopyFromLink(bool initial) {
    const bool loading = initial && ComponentState().Contains(csLoading);
    SetAutoCheck(link_->AutoCheck());
    if (!loading || Caption().empty())
        SetCaption(link_->Caption());
    if (!loading || Hint().empty())
        SetHint(link_->Hint());
    SetEnabled(link_->Enabled());
    SetVisible(link_->Visible());
    SetGroupIndex(link_->GroupIndex());
    SetHelpContext(link_->HelpContext());
    if (!loading || ShortCut() == 0)
        SetShortCut(link_->ShortCut());
    if (!customImage_)
        SetImageIndex(link_->ImageIndex());
    writingBack_ = true;
    TAction::SetChecked(link_->Checked());
    writingBack_ = false;
}

void TMyLinkedAction::ActionChanged(TBasicAction& action) {
    if (&action == link_)
        CopyFromLink(false);
}

void TMyLinkedAction::ActionDestroying(TBasicAction& action) {
    if (&action == link_)
        link_ = nullptr;
}

void TMyLinkedAction::Notification(TComponent* component, TOperation operation) {
    TAction::Notification(component, operation);
    if (operation == opRemove && component == link_)
        link_ = nullptr;
}

void TMyLinkedAction::SetChecked(bool checked) {
    TAction::SetChecked(checked);
    if (link_ != nullptr && !writingBack_)
        link_->SetChecked(checked);
}

bool TMyLinkedAction::Update() {
    // The target's handler refreshes the target, whose change comes back
    // here; one of our own runs as well.
    const bool linked = link_ != nullptr && link_->Update();
    return TAction::Update() || linked;
}

void TMyLinkedAction::DoExecute() {
    // The target's own command runs with the target as sender, since its
    // handler belongs to the target's window; the check mark already flipped
    // here and reached the target.
    if (link_ != nullptr && link_->OnExecute) {
        link_->OnExecute(*link_);
        return;
    }
    TAction::DoExecute();
}

const TClassInfo& TMyLinkedAction::StaticClassInfo() {
    using T = TMyLinkedAction;
    static const TClassInfo info(
        "TMyLinkedAction", &TAction::StaticClassInfo(),
        {Published("CustomImage", &T::CustomImage, &T::SetCustomImage, false),
         Published("Link", &T::Link, &T::SetLink)});
    return info;
}

// ---- hints --------------------------------------------------------------------------

std::string GetShortHint(const std::string& hint) {
    const std::size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
    const std::size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

std::string StatusBarHint(const std::string& hint) {
    if (!hint.empty() && hint.front() == '!') {
        const std::size_t bar = hint.find('|');
        return bar == std::string::npos ? std::string() : hint.substr(bar + 1);
    }
    return GetLongHint(hint);
}

}  // namespace nimbra
