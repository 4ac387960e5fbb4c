#include "base/Collections.h"

#include <algorithm>

namespace nimbra {

namespace {

[[noreturn]] void RaiseIndexError(int index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

// ---- TCollectionItem ---------------------------------------------------------

const TClassInfo& TCollectionItem::StaticClassInfo() {
    static const TClassInfo info(typeid(TCollectionItem), "TCollectionItem",
                                 &TPersistent::StaticClassInfo());
    return info;
}

TCollectionItem::TCollectionItem(TCollection* collection) {
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
    if (collection_ != nullptr)
        collection_->RemoveItem(this, cnDeleting);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_)
        return;
    if (collection_ != nullptr)
        collection_->RemoveItem(this, cnExtracting);
    if (collection != nullptr)
        collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    return collection_ ? collection_->IndexOf(this) : -1;
}

void TCollectionItem::SetIndex(int index) {
    const int current = Index();
    if (current >= 0 && current != index)
        collection_->MoveItem(current, index);
}

void TCollectionItem::Changed(bool allItems) {
    if (collection_ == nullptr)
        return;
    if (allItems) {
        collection_->Changed();
    } else {
        collection_->ItemChanged(this);
    }
}

// ---- TCollection -----------------------------------------------------------

const TClassInfo& TCollection::StaticClassInfo() {
    static const TClassInfo info(typeid(TCollection), "TCollection",
                                 &TPersistent::StaticClassInfo());
    return info;
}

TCollection::TCollection(TItemFactory itemFactory) : itemFactory_(std::move(itemFactory)) {}

TCollection::~TCollection() {
    // No update notifications from a collection that is going away.
    ++updateCount_;
    Clear();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        RaiseIndexError(index);
    return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add() {
    return itemFactory_(this);
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count())
        RaiseIndexError(index);
    BeginUpdate();
    TCollectionItem* item = Add();
    try {
        item->SetIndex(index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int index) {
    delete Items(index);
}

void TCollection::Clear() {
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == id)
            return item;
    return nullptr;
}

int TCollection::IndexOf(const TCollectionItem* item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TCollection::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TCollection*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (const TCollectionItem* item : other->items_)
            Add()->Assign(*item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::BeginUpdate() {
    ++updateCount_;
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0)
        --updateCount_;
    Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::ItemChanged(TCollectionItem* item) {
    if (updateCount_ == 0)
        Update(item);
}

void TCollection::Update(TCollectionItem* item) {
    if (OnUpdate)
        OnUpdate(*this, item);
}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::InsertItem(TCollectionItem* item) {
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextID_++;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item, TCollectionNotification action) {
    Notify(item, action);
    const int index = IndexOf(item);
    if (index >= 0)
        items_.erase(items_.begin() + index);
    item->collection_ = nullptr;
    Changed();
}

void TCollection::MoveItem(int from, int to) {
    if (to < 0 || to >= Count())
        RaiseIndexError(to);
    TCollectionItem* item = items_[static_cast<std::size_t>(from)];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, item);
    Changed();
}

}  // namespace nimbra
