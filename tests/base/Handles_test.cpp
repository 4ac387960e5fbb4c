#include "base/Handles.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace nimbra {
namespace {

// Handles are small numbers, 0 is "none", and every close is recorded.
std::vector<int> closed;

struct TFakeTraits {
    using TValue = int;
    static TValue Invalid() noexcept { return 0; }
    static void Close(TValue value) noexcept { closed.push_back(value); }
};
using TFake = THandle<TFakeTraits>;

class HandleTest : public testing::Test {
  protected:
    void SetUp() override { closed.clear(); }
};

TEST_F(HandleTest, EachHandleIsClosedOnceByItsLastOwner) {
    {
        TFake first(1);
        TFake second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.Get(), 1);
        TFake third(3);
        third = std::move(second);  // 3 goes now, 1 moves on
        EXPECT_EQ(closed, std::vector<int>{3});
        third = std::move(third);  // moving onto itself keeps it
        EXPECT_EQ(third.Get(), 1);
    }
    EXPECT_EQ(closed, (std::vector<int>{3, 1}));
}

TEST_F(HandleTest, ResetReleaseAndPut) {
    TFake handle;
    EXPECT_FALSE(handle);
    handle.Reset(5);
    handle.Reset(6);
    EXPECT_EQ(closed, std::vector<int>{5});
    EXPECT_EQ(handle.Release(), 6);
    EXPECT_FALSE(handle);
    handle.Reset(7);
    *handle.Put() = 8;  // as a call that hands out a handle writes it
    EXPECT_EQ(closed, (std::vector<int>{5, 7}));
    handle.Reset();
    EXPECT_EQ(closed, (std::vector<int>{5, 7, 8}));
    handle.Reset();  // "none" is never closed
    EXPECT_EQ(closed.size(), 3u);
}

}  // namespace
}  // namespace nimbra
