#include "shell/PidlUtils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace nimbra {
namespace {

using Bytes = std::vector<unsigned char>;

// A list in a buffer of exactly its own size: items with the given payloads,
// then the terminator.
Bytes MakeList(std::initializer_list<std::string> payloads) {
    Bytes bytes;
    for (const std::string& payload : payloads) {
        const std::size_t count = payload.size() + 2;
        bytes.push_back(static_cast<unsigned char>(count & 0xFF));
        bytes.push_back(static_cast<unsigned char>(count >> 8));
        bytes.insert(bytes.end(), payload.begin(), payload.end());
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
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
    Bytes list = MakeList({"abc", "de", "f"});
    EXPECT_EQ(PidlSize(AsPidl(list)), 12u);
    EXPECT_EQ(PidlItemCount(AsPidl(list)), 3u);
    EXPECT_EQ(OffsetIn(list, PidlNext(AsPidl(list))), 5);
    EXPECT_EQ(OffsetIn(list, PidlLast(AsPidl(list))), 9);

    PCItemIdList last = nullptr;
    const TPidlPtr parent = SplitPidl(AsPidl(list), last);
    EXPECT_EQ(ToBytes(parent.Get()), MakeList({"abc", "de"}));
    EXPECT_EQ(OffsetIn(list, last), 9);

    const TPidlPtr copy = PidlCopy(AsPidl(list));
    EXPECT_EQ(OffsetIn(list, PidlStripLast(AsPidl(list))), 9);
    EXPECT_EQ(ToBytes(AsPidl(list)), MakeList({"abc", "de"}));
    EXPECT_EQ(ToBytes(copy.Get()), MakeList({"abc", "de", "f"})) << "the copy is independent";
}

TEST(PidlBytesTest, NullAndEmptyLists) {
    Bytes empty = MakeList({});
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
    EXPECT_EQ(ToBytes(PidlCopy(AsPidl(empty)).Get()), MakeList({}));
}

// A root-level virtual folder item: its type, then the class identifier.
std::string VirtualItem(const char (&clsid)[17]) {
    return std::string("\x1F\x50", 2) + std::string(clsid, 16);
}
// {20D04FE0-3AEA-1069-A2D8-08002B30309D} and {21EC2020-3AEA-1069-A2DD-08002B30309D}.
constexpr char kComputer[17] = "\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D";
constexpr char kControlPanel[17] =
    "\x20\x20\xEC\x21\xEA\x3A\x69\x10\xA2\xDD\x08\x00\x2B\x30\x30\x9D";

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
    testing::Values(VirtualCase{"Computer", MakeList({VirtualItem(kComputer)}),
                                "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
                    VirtualCase{"ControlPanelBelowIt",
                                MakeList({VirtualItem(kComputer), VirtualItem(kControlPanel)}),
                                "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\"
                                "::{21EC2020-3AEA-1069-A2DD-08002B30309D}"},
                    VirtualCase{"FileItemAfterIt", MakeList({VirtualItem(kComputer), "file"}), ""},
                    VirtualCase{"ItemTooLong", MakeList({VirtualItem(kComputer) + "x"}), ""},
                    VirtualCase{"ItemTooShort", MakeList({std::string(17, 'a')}), ""}),
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

Bytes WithTail(Bytes head, std::initializer_list<unsigned char> tail) {
    head.resize(head.size() - 2);
    head.insert(head.end(), tail);
    return head;
}

// Two-byte items hold only their count: the smallest possible items.
Bytes TinyItems(std::size_t count) {
    Bytes bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes.insert(bytes.end(), {2, 0});
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PidlMalformedTest,
    testing::Values(MalformedCase{"EmptyBuffer", {}, 0, 0},
                    MalformedCase{"HalfACount", {0x05}, 0, 0},
                    MalformedCase{"CountOfOne", {0x01, 0x00, 0x00, 0x00}, 0, 0},
                    MalformedCase{"CountOfOneAfterAnItem",
                                  WithTail(MakeList({"ab"}), {0x01, 0x00, 0x00}), 1, 4},
                    MalformedCase{"ItemPastTheEnd", {0x10, 0x00, 'a', 'b', 0x00, 0x00}, 0, 0},
                    MalformedCase{"HugeCount",
                                  WithTail(MakeList({"ab"}), {0xFF, 0xFF, 'x', 0x00, 0x00}), 1, 4},
                    MalformedCase{"NoTerminator", WithTail(MakeList({"ab", "cd"}), {}), 1, 4},
                    MalformedCase{"TerminatorCutInHalf", WithTail(MakeList({"ab"}), {0x00}), 0, 0},
                    // The walk is bounded however many items there are.
                    MalformedCase{"TooManyItems", TinyItems(kMaxPidlItems + 10), kMaxPidlItems,
                                  2 * kMaxPidlItems}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace nimbra
