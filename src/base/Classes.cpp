#include "base/Classes.h"

#include <algorithm>

#include "base/Locale.h"

namespace nimbra {

// ---- TPersistent -----------------------------------------------------------

void TPersistent::Assign(const TPersistent& source) {
    source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
}

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TClassInfo info(typeid(TPersistent), "TPersistent", nullptr);
    return info;
}

// ---- TComponent ------------------------------------------------------------

const TClassInfo& TComponent::StaticClassInfo() {
    static const TClassInfo info(typeid(TComponent), "TComponent", &TPersistent::StaticClassInfo(),
                                 {Published("Name", &TComponent::Name, &TComponent::SetName),
                                  Published("Tag", &TComponent::Tag, &TComponent::SetTag, 0)});
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    state_.Include(csDestroying);
    // Those who follow this component forget it before it goes.
    while (!freeNotifies_.empty()) {
        TComponent* follower = freeNotifies_.back();
        freeNotifies_.pop_back();
        follower->RemoveFreeNotification(this);
        follower->Notification(this, opRemove);
    }
    // Owned components go last-created first, each telling its siblings.
    while (!components_.empty())
        delete components_.back();
    if (owner_ != nullptr)
        owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<std::size_t>(index)];
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == name_)
        return;
    if (owner_ != nullptr && !name.empty()) {
        const TComponent* other = owner_->FindComponent(name);
        if (other != nullptr && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    name_ = name;
}

void TComponent::BeginLoading() {
    state_.Include(csLoading);
    for (TComponent* c : components_)
        c->BeginLoading();
}

void TComponent::SetDesigning(bool designing) {
    if (designing) {
        state_.Include(csDesigning);
    } else {
        state_.Exclude(csDesigning);
    }
    for (TComponent* c : components_)
        c->SetDesigning(designing);
}

void TComponent::Loaded() {
    state_.Exclude(csLoading);
}

void TComponent::FreeNotification(TComponent* other) {
    if (other == nullptr || other == this)
        return;
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
        other->freeNotifies_.end()) {
        other->freeNotifies_.push_back(this);
    }
    // Both directions, so whichever goes first unlinks the other.
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    std::erase(freeNotifies_, other);
    if (other != nullptr)
        std::erase(other->freeNotifies_, this);
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->owner_ != nullptr)
        component->owner_->RemoveComponent(component);
    if (!component->name_.empty() && FindComponent(component->name_) != nullptr)
        throw EComponentError("A component named " + component->name_ + " already exists");
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end())
        return;
    components_.erase(it);
    component->owner_ = nullptr;
    Notification(component, opRemove);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove)
        RemoveFreeNotification(component);
    // Passed down the ownership tree, so every component that may hold a
    // reference hears of it. A handler may free components; work on a copy
    // and skip any that went meanwhile.
    const std::vector<TComponent*> owned = components_;
    for (TComponent* c : owned) {
        if (c == component)
            continue;
        if (std::find(components_.begin(), components_.end(), c) == components_.end())
            continue;
        c->Notification(component, operation);
    }
}

}  // namespace nimbra
