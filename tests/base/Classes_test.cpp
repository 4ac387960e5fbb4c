#include "base/Classes.h"

#include <gtest/gtest.h>

#include <vector>

namespace nimbra {
namespace {

// Records what it is told and whether it was destroyed.
class TProbe : public TComponent {
  public:
    TProbe(TComponent* owner, std::vector<std::string>* log, std::string name = {})
        : TComponent(owner), log_(log) {
        SetName(name);
    }
    ~TProbe() override { log_->push_back("free " + Name()); }
    TComponent* Watched = nullptr;

  protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) {
            log_->push_back(Name() + " told " + component->Name() + " goes");
            if (component == Watched)
                Watched = nullptr;
        }
    }

  private:
    std::vector<std::string>* log_;
};

TEST(ComponentTest, OwnerFreesWhatItOwnsLastCreatedFirst) {
    std::vector<std::string> log;
    {
        TProbe owner(nullptr, &log, "Owner");
        new TProbe(&owner, &log, "A");
        new TProbe(&owner, &log, "B");
        EXPECT_EQ(owner.ComponentCount(), 2);
        log.clear();
    }
    std::vector<std::string> frees;
    for (const std::string& entry : log)
        if (entry.starts_with("free "))
            frees.push_back(entry);
    // The owner's own destructor body runs first; then its components go,
    // the last created first.
    EXPECT_EQ(frees, (std::vector<std::string>{"free Owner", "free B", "free A"}));
    EXPECT_NE(std::find(log.begin(), log.end(), "A told B goes"), log.end());
}

TEST(ComponentTest, FreeingAnOwnedComponentRemovesItAndTellsTheSiblings) {
    std::vector<std::string> log;
    TProbe owner(nullptr, &log, "Owner");
    auto* a = new TProbe(&owner, &log, "A");
    new TProbe(&owner, &log, "B");
    delete a;
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.FindComponent("a"), nullptr);
    EXPECT_NE(std::find(log.begin(), log.end(), "B told A goes"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "Owner told A goes"), log.end());
}

TEST(ComponentTest, FreeNotificationClearsAReferenceAcrossOwners) {
    std::vector<std::string> log;
    TProbe follower(nullptr, &log, "Follower");
    {
        TProbe target(nullptr, &log, "Target");
        follower.Watched = &target;
        follower.FreeNotification(&target);
    }
    EXPECT_EQ(follower.Watched, nullptr);
    EXPECT_NE(std::find(log.begin(), log.end(), "Follower told Target goes"), log.end());
}

TEST(ComponentTest, AFollowerThatGoesFirstIsNotToldLater) {
    std::vector<std::string> log;
    {
        TProbe target(nullptr, &log, "Target");
        {
            TProbe follower(nullptr, &log, "Follower");
            follower.FreeNotification(&target);
        }
        log.clear();
    }
    // Only the target's own destruction; the freed follower was unlinked.
    EXPECT_EQ(log, (std::vector<std::string>{"free Target"}));
}

TEST(ComponentTest, NamesAreUniqueAmongSiblingsIgnoringCase) {
    std::vector<std::string> log;
    TProbe owner(nullptr, &log, "Owner");
    new TProbe(&owner, &log, "Edit1");
    auto* other = new TProbe(&owner, &log, "Edit2");
    EXPECT_THROW(other->SetName("EDIT1"), EComponentError);
    EXPECT_EQ(other->Name(), "Edit2");
    EXPECT_EQ(owner.FindComponent("edit2"), other);
    EXPECT_NO_THROW(other->SetName(""));
}

TEST(ComponentTest, LoadingStateCoversOwnedComponentsUntilLoaded) {
    std::vector<std::string> log;
    TProbe owner(nullptr, &log, "Owner");
    auto* child = new TProbe(&owner, &log, "Child");
    owner.BeginLoading();
    EXPECT_TRUE(owner.ComponentState().Contains(csLoading));
    EXPECT_TRUE(child->ComponentState().Contains(csLoading));
    owner.Loaded();
    child->Loaded();
    EXPECT_FALSE(owner.ComponentState().Contains(csLoading));
    EXPECT_FALSE(child->ComponentState().Contains(csLoading));
    owner.SetDesigning(true);
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
}

TEST(ComponentTest, MovingToAnotherOwner) {
    std::vector<std::string> log;
    TProbe first(nullptr, &log, "First");
    TProbe second(nullptr, &log, "Second");
    auto* child = new TProbe(&first, &log, "Child");
    second.InsertComponent(child);
    EXPECT_EQ(child->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);
}

TEST(PersistentTest, AssignBetweenUnrelatedClassesRaisesNamingBoth) {
    std::vector<std::string> log;
    TProbe component(nullptr, &log, "C");
    TPersistent plain;
    try {
        plain.Assign(component);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TComponent to a TPersistent");
    }
}

}  // namespace
}  // namespace nimbra
