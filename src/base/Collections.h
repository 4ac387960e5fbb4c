#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/Classes.h"

namespace nimbra {

class TCollection;

// An element of a TCollection. It joins its collection when created with one
// and leaves it when destroyed; its ID never changes while the item lives.
class TCollectionItem : public TPersistent {
  public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (or out of any, with nullptr).
    virtual void SetCollection(TCollection* collection);
    int ID() const { return id_; }
    int Index() const;
    void SetIndex(int index);
    virtual std::string DisplayName() const { return ClassName(); }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // Tells the collection that this item (or, with allItems, the whole
    // collection) changed.
    void Changed(bool allItems);

  private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// An ordered list that owns its items. Items are made by the factory given at
// construction, so a collection always holds items of one class.
class TCollection : public TPersistent {
  public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
    explicit TCollection(TItemFactory itemFactory);
    ~TCollection() override;

    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    int IndexOf(const TCollectionItem* item) const;

    // Replaces the items with copies of the source's (each copied by the
    // new item's Assign), inside one update bracket.
    void Assign(const TPersistent& source) override;

    // Changes inside a bracket are reported once, by the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Raised after a change: the changed item, or nullptr when the whole
    // collection (its membership or order) changed.
    std::function<void(TCollection& sender, TCollectionItem* item)> OnUpdate;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    virtual void Update(TCollectionItem* item);
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    void Changed();

  private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item, TCollectionNotification action);
    void MoveItem(int from, int to);
    void ItemChanged(TCollectionItem* item);

    TItemFactory itemFactory_;
    std::vector<TCollectionItem*> items_;
    int nextID_ = 0;
    int updateCount_ = 0;
};

// A collection of items of class T, with typed access.
template <class T>
class TTypedCollection : public TCollection {
  public:
    TTypedCollection() : TCollection([](TCollection* c) { return new T(c); }) {}
    explicit TTypedCollection(TItemFactory factory) : TCollection(std::move(factory)) {}
    T* Items(int index) const { return static_cast<T*>(TCollection::Items(index)); }
    T* Add() { return static_cast<T*>(TCollection::Add()); }
    T* Insert(int index) { return static_cast<T*>(TCollection::Insert(index)); }
};

}  // namespace nimbra
