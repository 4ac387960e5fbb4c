#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Exception.h"
#include "base/Set.h"
#include "base/TypInfo.h"

namespace nimbra {

// The root of the class tree: anything a list can carry as its object.
class TObject {
  public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

// An object with published properties that can copy itself from another.
class TPersistent : public TObject {
  public:
    // Copies `source` into this object. The base asks the source to do it
    // (AssignTo) and raises EConvertError when neither side knows how.
    virtual void Assign(const TPersistent& source);
    const std::string& ClassName() const { return ClassInfo().Name(); }
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    virtual void AssignTo(TPersistent& dest) const;
};

class EComponentError : public Exception {
  public:
    using Exception::Exception;
};

enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = Set<TComponentStateItem>;
enum TOperation { opInsert, opRemove };

// A named object in an ownership tree: the owner frees what it owns, and
// components that refer to one another learn when one goes (Notification).
class TComponent : public TPersistent {
  public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    const std::string& Name() const { return name_; }
    // Raises EComponentError when a sibling already has the name.
    void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    // The owned component with the name, ignoring case; nullptr if none.
    TComponent* FindComponent(std::string_view name) const;

    TComponentState ComponentState() const { return state_; }
    // Marks this component and every component it owns as being loaded (or
    // designed); Loaded() ends the loading state.
    void BeginLoading();
    void SetDesigning(bool designing);
    virtual void Loaded();

    // Asks to be told (Notification with opRemove) when `other` is destroyed,
    // although neither owns the other.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // Told of components inserted into or removed from this component or an
    // owner above it, and of the destruction of components this one follows.
    // Overrides must call the base, which passes the news down.
    virtual void Notification(TComponent* component, TOperation operation);

  private:
    std::string name_;
    int tag_ = 0;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    TComponentState state_;
};

}  // namespace nimbra
