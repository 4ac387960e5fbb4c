#include "base/WaitCursor.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace nimbra {
namespace {

class WaitCursorTest : public testing::Test {
  protected:
    void SetUp() override {
        SetWaitCursorHook(
            {[this] { events.push_back("show"); }, [this] { events.push_back("restore"); }});
    }
    void TearDown() override { SetWaitCursorHook(PlatformWaitCursorHook()); }
    std::vector<std::string> events;
};

TEST_F(WaitCursorTest, OnlyTheOutermostPairShowsAndRestores) {
    {
        TWaitCursor outer;
        {
            TWaitCursor inner;
            EXPECT_EQ(WaitCursorDepth(), 2);
        }
        EXPECT_EQ(events, (std::vector<std::string>{"show"}));
    }
    EXPECT_EQ(events, (std::vector<std::string>{"show", "restore"}));
    EXPECT_EQ(WaitCursorDepth(), 0);
}

TEST_F(WaitCursorTest, AnExceptionStillRestores) {
    try {
        TWaitCursor wait;
        throw std::runtime_error("scan failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(events, (std::vector<std::string>{"show", "restore"}));
}

TEST_F(WaitCursorTest, AnUnbalancedStopDoesNotUnderflow) {
    StopWait();
    EXPECT_EQ(WaitCursorDepth(), 0);
    StartWait();
    EXPECT_EQ(events, (std::vector<std::string>{"show"}));
    StopWait();
    EXPECT_EQ(events, (std::vector<std::string>{"show", "restore"}));
}

}  // namespace
}  // namespace nimbra
