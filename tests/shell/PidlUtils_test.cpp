#include "shell/PidlUtils.h"

#include <gtest/gtest.h>

#include <cstdint>
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
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

PCItemIdList AsPidl(const Bytes& bytes) {
    return reinterpret_cast<PCItemIdList>(bytes.data());
}
PItemIdList AsPidl(Bytes& bytes) {
    return reinterpret_cast<PItemIdList>(bytes.data());
}

Bytes ToBytes(PCItemIdList pidl) {
    const auto* data = reinterpret_cast<const unsigned char*>(pidl);
    return Bytes(data, data + PidlSize(pidl) + 2);
}

// A root-level virtual folder item for the class identifier given as its 16
// bytes in memory order.
std::string VirtualItemPayload(const unsigned char (&clsid)[16]) {
    std::string payload = "\x1F\x50";
    payload.append(reinterpret_cast<const char*>(clsid), 16);
    return payload;
}

// {20D04FE0-3AEA-1069-A2D8-08002B30309D}, the computer folder.
constexpr unsigned char kComputer[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                         0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
// {21EC2020-3AEA-1069-A2DD-08002B30309D}, the control panel.
constexpr unsigned char kControlPanel[16] = {0x20, 0x20, 0xEC, 0x21, 0xEA, 0x3A, 0x69, 0x10,
                                             0xA2, 0xDD, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

TEST(PidlBytesTest, SizeCountAndLastOfAWellFormedList) {
    const Bytes list = MakeList({"abc", "de", "f"});
    EXPECT_EQ(PidlSize(AsPidl(list)), 5u + 4u + 3u);
    EXPECT_EQ(PidlItemCount(AsPidl(list)), 3u);
    EXPECT_EQ(PidlItemSize(AsPidl(list)), 5u);
    const PCItemIdList last = PidlLast(AsPidl(list));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(last) - list.data(), 9);
    EXPECT_EQ(PidlItemSize(last), 3u);
    EXPECT_FALSE(PidlIsEmpty(AsPidl(list)));
}

TEST(PidlBytesTest, NullAndEmptyLists) {
    const Bytes empty = MakeList({});
    EXPECT_TRUE(PidlIsEmpty(nullptr));
    EXPECT_TRUE(PidlIsEmpty(AsPidl(empty)));
    EXPECT_EQ(PidlSize(nullptr), 0u);
    EXPECT_EQ(PidlSize(AsPidl(empty)), 0u);
    EXPECT_EQ(PidlLast(AsPidl(empty)), nullptr);
    EXPECT_EQ(PidlLast(static_cast<PCItemIdList>(nullptr)), nullptr);
    EXPECT_EQ(PidlNext(AsPidl(empty)), nullptr);
    EXPECT_EQ(PidlNext(static_cast<PCItemIdList>(nullptr)), nullptr);
    EXPECT_EQ(PidlCopy(nullptr), nullptr);
    EXPECT_EQ(PidlToVirtualPath(nullptr), "");
    EXPECT_EQ(PidlToVirtualPath(AsPidl(empty)), "");
}

TEST(PidlBytesTest, NextStepsThroughEveryItemToTheTerminator) {
    const Bytes list = MakeList({"abc", "de"});
    PCItemIdList item = AsPidl(list);
    std::vector<std::size_t> sizes;
    while (!PidlIsEmpty(item)) {
        sizes.push_back(PidlItemSize(item));
        item = PidlNext(item);
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{5, 4}));
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(item) - list.data(), 9);
}

TEST(PidlBytesTest, CopyIsIndependentAndTerminated) {
    Bytes list = MakeList({"abc", "de"});
    TPidlPtr copy = PidlCopy(AsPidl(list));
    list[2] = 'X';
    EXPECT_EQ(ToBytes(copy.get()), MakeList({"abc", "de"}));
    EXPECT_EQ(ToBytes(PidlCopy(AsPidl(MakeList({}))).get()), MakeList({}));
}

TEST(PidlBytesTest, StripLastCutsInPlaceAndReturnsWhereItWas) {
    Bytes list = MakeList({"abc", "de"});
    PItemIdList removed = PidlStripLast(AsPidl(list));
    EXPECT_EQ(reinterpret_cast<unsigned char*>(removed) - list.data(), 5);
    EXPECT_EQ(ToBytes(AsPidl(list)), MakeList({"abc"}));
    PidlStripLast(AsPidl(list));
    EXPECT_TRUE(PidlIsEmpty(AsPidl(list)));
    EXPECT_EQ(PidlStripLast(AsPidl(list)), nullptr);
}

TEST(PidlBytesTest, SplitGivesAParentCopyAndTheLastItemInPlace) {
    const Bytes list = MakeList({"abc", "de", "f"});
    PCItemIdList last = nullptr;
    TPidlPtr parent = SplitPidl(AsPidl(list), last);
    EXPECT_EQ(ToBytes(parent.get()), MakeList({"abc", "de"}));
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(last) - list.data(), 9);

    const Bytes single = MakeList({"only"});
    parent = SplitPidl(AsPidl(single), last);
    EXPECT_TRUE(PidlIsEmpty(parent.get()));
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(last), single.data());

    const Bytes empty = MakeList({});
    parent = SplitPidl(AsPidl(empty), last);
    EXPECT_TRUE(PidlIsEmpty(parent.get()));
    EXPECT_EQ(last, nullptr);

    parent = SplitPidl(nullptr, last);
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(last, nullptr);
}

TEST(PidlBytesTest, VirtualPathOfTheComputerAndTheControlPanelBelowIt) {
    const Bytes computer = MakeList({VirtualItemPayload(kComputer)});
    EXPECT_EQ(PidlToVirtualPath(AsPidl(computer)), "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    const Bytes controls =
        MakeList({VirtualItemPayload(kComputer), VirtualItemPayload(kControlPanel)});
    EXPECT_EQ(PidlToVirtualPath(AsPidl(controls)),
              "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\"
              "::{21EC2020-3AEA-1069-A2DD-08002B30309D}");
}

TEST(PidlBytesTest, AnyItemOfAnotherLengthGivesNoVirtualPath) {
    EXPECT_EQ(PidlToVirtualPath(AsPidl(MakeList({VirtualItemPayload(kComputer), "file"}))), "");
    EXPECT_EQ(PidlToVirtualPath(AsPidl(MakeList({VirtualItemPayload(kComputer) + "x"}))), "");
    EXPECT_EQ(PidlToVirtualPath(AsPidl(MakeList({std::string(17, 'a')}))), "");
}

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

    TPidlPtr copy = PidlCopy(AsPidl(bytes), bufferSize);
    EXPECT_EQ(PidlItemCount(copy.get()), c.items);
    EXPECT_EQ(PidlSize(copy.get()), c.size);

    PCItemIdList last = nullptr;
    TPidlPtr parent = SplitPidl(AsPidl(bytes), last, bufferSize);
    EXPECT_EQ(PidlItemCount(parent.get()), c.items == 0 ? 0 : c.items - 1);
    EXPECT_EQ(last == nullptr, c.items == 0);
    EXPECT_EQ(PidlToVirtualPath(AsPidl(bytes), bufferSize), "");

    PidlStripLast(AsPidl(bytes), bufferSize);
    EXPECT_EQ(PidlItemCount(AsPidl(bytes), bufferSize), c.items == 0 ? 0 : c.items - 1);
}

Bytes WithTail(Bytes head, std::initializer_list<unsigned char> tail) {
    head.pop_back();
    head.pop_back();
    head.insert(head.end(), tail);
    return head;
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
                    MalformedCase{"TerminatorCutInHalf", WithTail(MakeList({"ab"}), {0x00}), 0, 0}),
    [](const auto& info) { return info.param.name; });

TEST(PidlBytesTest, TheNumberOfItemsIsBounded) {
    // Two-byte items hold only their count: the smallest possible items.
    Bytes bytes;
    for (std::size_t i = 0; i < kMaxPidlItems + 10; ++i) {
        bytes.push_back(2);
        bytes.push_back(0);
    }
    bytes.push_back(0);
    bytes.push_back(0);
    EXPECT_EQ(PidlItemCount(AsPidl(bytes), bytes.size()), kMaxPidlItems);
    TPidlPtr copy = PidlCopy(AsPidl(bytes), bytes.size());
    EXPECT_EQ(PidlItemCount(copy.get()), kMaxPidlItems);
}

TEST(PidlBytesTest, AllocationIsZeroFilled) {
    TPidlPtr pidl(PidlAlloc(64));
    const auto* bytes = reinterpret_cast<const unsigned char*>(pidl.get());
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(bytes[i], 0) << i;
    PidlFree(nullptr);
}

}  // namespace
}  // namespace nimbra
