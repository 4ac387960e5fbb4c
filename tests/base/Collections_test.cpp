#include "base/Collections.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

class TNamedItem : public TCollectionItem {
  public:
    using TCollectionItem::TCollectionItem;
    std::string Title;
    void SetTitle(const std::string& title) {
        Title = title;
        Changed(false);
    }
    void Assign(const TPersistent& source) override {
        if (const auto* other = dynamic_cast<const TNamedItem*>(&source)) {
            Title = other->Title;
            return;
        }
        TCollectionItem::Assign(source);
    }
};

using TNamedItems = TTypedCollection<TNamedItem>;

std::vector<std::string> Titles(const TNamedItems& c) {
    std::vector<std::string> titles;
    for (int i = 0; i < c.Count(); ++i)
        titles.push_back(c.Items(i)->Title);
    return titles;
}

TNamedItem* AddItem(TNamedItems& c, const std::string& title) {
    TNamedItem* item = c.Add();
    item->Title = title;
    return item;
}

TEST(CollectionTest, IdsStayWithTheirItemsAcrossDeletesAndMoves) {
    TNamedItems c;
    TNamedItem* a = AddItem(c, "a");
    TNamedItem* b = AddItem(c, "b");
    TNamedItem* d = AddItem(c, "d");
    EXPECT_EQ(a->ID(), 0);
    EXPECT_EQ(b->ID(), 1);
    EXPECT_EQ(d->ID(), 2);

    c.Delete(0);
    EXPECT_EQ(b->ID(), 1);
    EXPECT_EQ(b->Index(), 0);
    d->SetIndex(0);
    EXPECT_EQ(Titles(c), (std::vector<std::string>{"d", "b"}));
    EXPECT_EQ(c.FindItemID(2), d);
    EXPECT_EQ(c.FindItemID(0), nullptr);

    // A deleted ID is never handed out again.
    TNamedItem* e = AddItem(c, "e");
    EXPECT_EQ(e->ID(), 3);
}

TEST(CollectionTest, InsertPlacesTheItemAndAnItemDeletedDirectlyLeaves) {
    TNamedItems c;
    TNamedItem* a = AddItem(c, "a");
    AddItem(c, "c");
    c.Insert(1)->Title = "b";
    EXPECT_EQ(Titles(c), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_THROW(c.Insert(5), EListError);
    EXPECT_THROW(c.Items(3), EListError);
    delete a;
    EXPECT_EQ(Titles(c), (std::vector<std::string>{"b", "c"}));
}

TEST(CollectionTest, AssignCopiesItemsWithNewIdentity) {
    TNamedItems source;
    AddItem(source, "x");
    AddItem(source, "y");
    TNamedItems target;
    AddItem(target, "old");
    target.Assign(source);
    EXPECT_EQ(Titles(target), (std::vector<std::string>{"x", "y"}));
    EXPECT_NE(target.Items(0), source.Items(0));
    source.Items(0)->Title = "changed";
    EXPECT_EQ(target.Items(0)->Title, "x");
}

TEST(CollectionTest, UpdatesAreHeldBackInsideABracketAndNameTheItem) {
    TNamedItems c;
    std::vector<TCollectionItem*> updates;
    c.OnUpdate = [&](TCollection&, TCollectionItem* item) { updates.push_back(item); };

    TNamedItem* a = c.Add();
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates.back(), nullptr);  // membership changed

    a->SetTitle("t");
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates.back(), a);

    updates.clear();
    c.BeginUpdate();
    c.BeginUpdate();
    c.Add();
    a->SetTitle("u");
    c.EndUpdate();
    EXPECT_TRUE(updates.empty());
    c.EndUpdate();
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates.back(), nullptr);
}

TEST(CollectionTest, MovingAnItemToAnotherCollection) {
    TNamedItems first;
    TNamedItems second;
    TNamedItem* a = AddItem(first, "a");
    a->SetCollection(&second);
    EXPECT_EQ(first.Count(), 0);
    EXPECT_EQ(second.Items(0), a);
    EXPECT_EQ(a->Collection(), &second);
}

}  // namespace
}  // namespace nimbra
