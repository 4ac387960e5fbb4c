#include "shell/PidlUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/LnkBuilder.h"

namespace nimbra {
namespace {

using testing_support::RootItem;
using testing_support::TinyItems;
using testing_support::U16;

using Bytes = std::vector<unsigned char>;

Bytes AsBytes(const std::string& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}
// An item: its count, then the payload.
std::string Item(const std::string& payload) {
    return U16(static_cast<std::uint16_t>(payload.size() + 2)) + payload;
}
// A list in a buffer of exactly its own size: the items, then the terminator.
Bytes List(const std::string& items) {
    return AsBytes(items + U16(0));
}

PCItemIdList AsPidl(const Bytes& bytes) {
    return reinterpret_cast<PCItemIdList>(bytes.data());
}
PItemIdList AsPidl(Bytes& bytes) {
    return reinterpret_cast<PItemIdList>(bytes.data());
}
std::ptrdiff_t OffsetIn(const Bytes& bytes, PCItemIdList item) {
    return reinterpret_cast<const unsigned char*>(item) - bytes.data();
}
Bytes ToBytes(PCItemIdList pidl) {
    const auto* data = reinterpret_cast<const unsigned char*>(pidl);
    return Bytes(data, data + PidlSize(pidl) + 2);
}

TEST(PidlBytesTest, WalksAWellFormedList) {
    Bytes list = List(Item("abc") + Item("de") + Item("f"));
    EXPECT_EQ(PidlSize(AsPidl(list)), 12u);
    EXPECT_EQ(PidlItemCount(AsPidl(list)), 3u);
    EXPECT_EQ(OffsetIn(list, PidlNext(AsPidl(list))), 5);
    EXPECT_EQ(OffsetIn(list, PidlLast(AsPidl(list))), 9);

    PCItemIdList last = nullptr;
    const TPidlPtr parent = SplitPidl(AsPidl(list), last);
    EXPECT_EQ(ToBytes(parent.Get()), List(Item("abc") + Item("de")));
    EXPECT_EQ(OffsetIn(list, last), 9);

    const TPidlPtr copy = PidlCopy(AsPidl(list));
    EXPECT_EQ(OffsetIn(list, PidlStripLast(AsPidl(list))), 9);
    EXPECT_EQ(ToBytes(AsPidl(list)), List(Item("abc") + Item("de")));
    EXPECT_EQ(ToBytes(copy.Get()), List(Item("abc") + Item("de") + Item("f")))
        << "the copy is independent";
}

TEST(PidlBytesTest, NullAndEmptyLists) {
    Bytes empty = List("");
    for (PItemIdList pidl : {static_cast<PItemIdList>(nullptr), AsPidl(empty)}) {
        EXPECT_TRUE(PidlIsEmpty(pidl));
        EXPECT_EQ(PidlSize(pidl), 0u);
        EXPECT_EQ(PidlLast(pidl), nullptr);
        EXPECT_EQ(PidlNext(pidl), nullptr);
        EXPECT_EQ(PidlStripLast(pidl), nullptr);
        EXPECT_EQ(PidlToVirtualPath(pidl), "");
        PCItemIdList last = AsPidl(empty);
        const TPidlPtr parent = SplitPidl(pidl, last);
        EXPECT_EQ(last, nullptr);
        EXPECT_TRUE(PidlIsEmpty(parent.Get()));
    }
    EXPECT_FALSE(PidlCopy(nullptr));
    EXPECT_EQ(ToBytes(PidlCopy(AsPidl(empty)).Get()), List(""));
}

struct VirtualCase {
    const char* name;
    Bytes list;
    const char* path;
};

class PidlVirtualPathTest : public testing::TestWithParam<VirtualCase> {};

TEST_P(PidlVirtualPathTest, OnlyListsOfRootLevelVirtualItemsHaveOne) {
    EXPECT_EQ(PidlToVirtualPath(AsPidl(GetParam().list)), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PidlVirtualPathTest,
    testing::Values(VirtualCase{"Computer", List(RootItem()),
                                "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
                    VirtualCase{"ControlPanelBelowIt", List(RootItem() + RootItem(false)),
                                "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\"
                                "::{21EC2020-3AEA-1069-A2DD-08002B30309D}"},
                    VirtualCase{"FileItemAfterIt", List(RootItem() + Item("file")), ""},
                    VirtualCase{"ItemOfAnotherSize", List(Item(RootItem().substr(2) + "x")), ""}),
    [](const auto& info) { return info.param.name; });

// Malformed lists: every walk stops at the damage and never reads past the
// buffer (ASan watches the reads; each case uses a buffer of exact size).
struct MalformedCase {
    const char* name;
    Bytes bytes;
    std::size_t items;  // well-formed items before the damage
    std::size_t size;
};

class PidlMalformedTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(PidlMalformedTest, WalksStopAtTheDamage) {
    const MalformedCase& c = GetParam();
    Bytes bytes = c.bytes;
    const std::size_t bufferSize = bytes.size();
    EXPECT_EQ(PidlItemCount(AsPidl(bytes), bufferSize), c.items);
    EXPECT_EQ(PidlSize(AsPidl(bytes), bufferSize), c.size);

    const TPidlPtr copy = PidlCopy(AsPidl(bytes), bufferSize);
    EXPECT_EQ(PidlItemCount(copy.Get()), c.items);
    EXPECT_EQ(PidlSize(copy.Get()), c.size);

    PCItemIdList last = nullptr;
    const TPidlPtr parent = SplitPidl(AsPidl(bytes), last, bufferSize);
    EXPECT_EQ(PidlItemCount(parent.Get()), c.items == 0 ? 0 : c.items - 1);
    EXPECT_EQ(last == nullptr, c.items == 0);
    EXPECT_EQ(PidlToVirtualPath(AsPidl(bytes), bufferSize), "");

    PidlStripLast(AsPidl(bytes), bufferSize);
    EXPECT_EQ(PidlItemCount(AsPidl(bytes), bufferSize), c.items == 0 ? 0 : c.items - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PidlMalformedTest,
    testing::Values(MalformedCase{"HalfACount", {0x05}, 0, 0},
                    MalformedCase{"CountOfOneAfterAnItem", AsBytes(Item("ab") + U16(1) + '\0'), 1,
                                  4},
                    MalformedCase{"HugeCount", List(Item("ab") + U16(0xFFFF) + "x"), 1, 4},
                    MalformedCase{"NoTerminator", AsBytes(Item("ab") + Item("cd")), 1, 4},
                    // The walk is bounded however many items there are.
                    MalformedCase{"TooManyItems", List(TinyItems(kMaxPidlItems + 10)),
                                  kMaxPidlItems, 2 * kMaxPidlItems}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace nimbra
