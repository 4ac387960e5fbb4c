#include "controls/Layout.h"

#include <ostream>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/GeometryPrinters.h"

namespace nimbra {
namespace {

TLayoutItem Aligned(TAlign align, int width, int height) {
    TLayoutItem item;
    item.Design = Bounds(0, 0, width, height);
    item.Align = align;
    return item;
}

TLayoutItem Placed(TRect design, TAnchors anchors = kDefaultAnchors) {
    TLayoutItem item;
    item.Design = design;
    item.Anchors = anchors;
    return item;
}

TEST(LayoutTest, AlignedItemsTakeTheEdgesInGroupOrderWhateverTheirListOrder) {
    // Listed client first: it still gets what the others leave.
    const std::vector<TLayoutItem> items{Aligned(alClient, 10, 10), Aligned(alBottom, 0, 20),
                                         Aligned(alTop, 0, 45), Aligned(alTop, 0, 41),
                                         Aligned(alLeft, 30, 0)};
    const TLayoutResult r = ArrangeControls(items, {400, 300}, {400, 300}, 96);
    EXPECT_EQ(r.Bounds[2], (TRect{0, 0, 400, 45}));
    EXPECT_EQ(r.Bounds[3], (TRect{0, 45, 400, 86}));
    EXPECT_EQ(r.Bounds[1], (TRect{0, 280, 400, 300}));
    EXPECT_EQ(r.Bounds[4], (TRect{0, 86, 30, 280}));
    EXPECT_EQ(r.Bounds[0], (TRect{30, 86, 400, 280}));
}

TEST(LayoutTest, DesignSizesScaleWithTheResolutionRoundingHalfAwayFromZero) {
    const std::vector<TLayoutItem> items{Aligned(alTop, 0, 45), Aligned(alTop, 0, 41),
                                         Placed(Bounds(8, 8, 85, 25))};
    const TLayoutResult r = ArrangeControls(items, {400, 300}, {600, 450}, 144);
    EXPECT_EQ(r.Bounds[0].Height(), 68);               // 67.5 rounds up
    EXPECT_EQ(r.Bounds[1], (TRect{0, 68, 600, 130}));  // 61.5 rounds up
    EXPECT_EQ(r.Bounds[2], (TRect{12, 12, 140, 50}));
}

struct TAnchorCase {
    std::string Name;
    TAnchors Anchors;
    TRect Expected;  // in a client grown from 200 x 100 to 300 x 160
};

void PrintTo(const TAnchorCase& c, std::ostream* os) {
    *os << c.Name;
}

class LayoutAnchorTest : public testing::TestWithParam<TAnchorCase> {};

TEST_P(LayoutAnchorTest, KeepsTheDistanceToTheAnchoredEdges) {
    const TLayoutResult r = ArrangeControls({Placed(Bounds(20, 10, 60, 20), GetParam().Anchors)},
                                            {200, 100}, {300, 160}, 96);
    EXPECT_EQ(r.Bounds[0], GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LayoutAnchorTest,
    testing::Values(TAnchorCase{"LeftTop", {akLeft, akTop}, {20, 10, 80, 30}},
                    TAnchorCase{"RightBottom", {akRight, akBottom}, {120, 70, 180, 90}},
                    TAnchorCase{"Stretched", {akLeft, akTop, akRight}, {20, 10, 180, 30}},
                    TAnchorCase{"AllFour", {akLeft, akTop, akRight, akBottom}, {20, 10, 180, 90}},
                    // No horizontal anchor: the centre keeps its relative place.
                    TAnchorCase{"Floating", {akTop}, {45, 10, 105, 30}}),
    [](const auto& info) { return info.param.Name; });

TEST(LayoutTest, AWiderTextPushesTheRestOfItsRowOnlyAndRaisesTheMinimum) {
    std::vector<TLayoutItem> items{Placed(Bounds(10, 10, 80, 20)), Placed(Bounds(100, 10, 50, 20)),
                                   Placed(Bounds(10, 40, 50, 20))};
    items[0].Content = {130, 13};  // a translated caption needs 50 pixels more
    const TLayoutResult r = ArrangeControls(items, {200, 100}, {200, 100}, 96);
    EXPECT_EQ(r.Bounds[0], (TRect{10, 10, 140, 30}));
    EXPECT_EQ(r.Bounds[1], (TRect{150, 10, 200, 30}));
    EXPECT_EQ(r.Bounds[2], (TRect{10, 40, 60, 60}));  // another row stays
    EXPECT_EQ(r.MinClient.Width, 200);
}

TEST(LayoutTest, AButtonHeldByTheRightEdgeGrowsLeftAndPushesItsLeftNeighbour) {
    const TAnchors corner{akRight, akBottom};
    std::vector<TLayoutItem> items{Placed(Bounds(100, 70, 40, 20), corner),
                                   Placed(Bounds(150, 70, 40, 20), corner)};
    items[1].Content = {70, 0};
    const TLayoutResult r = ArrangeControls(items, {200, 100}, {200, 100}, 96);
    EXPECT_EQ(r.Bounds[1], (TRect{120, 70, 190, 90}));
    EXPECT_EQ(r.Bounds[0], (TRect{70, 70, 110, 90}));
}

TEST(LayoutTest, LimitsHoldSizesAndHiddenItemsTakeNoEdge) {
    std::vector<TLayoutItem> items{Aligned(alTop, 0, 45), Aligned(alLeft, 300, 0),
                                   Aligned(alClient, 0, 0)};
    items[0].Visible = false;
    items[1].MaxSize = {120, 0};
    items[2].MinSize = {245, 240};
    const TLayoutResult r = ArrangeControls(items, {400, 300}, {400, 300}, 96);
    EXPECT_EQ(r.Bounds[1], (TRect{0, 0, 120, 300}));
    EXPECT_EQ(r.Bounds[2], (TRect{120, 0, 400, 300}));
    EXPECT_EQ(r.MinClient.Width, 120 + 245);
    EXPECT_EQ(r.MinClient.Height, 240);  // the client item's limit
}

TEST(LayoutTest, StretchedItemsNeedTheirContentAndMarginsNotTheirDesignWidth) {
    std::vector<TLayoutItem> items{Placed(Bounds(8, 8, 184, 21), {akLeft, akTop, akRight})};
    items[0].MinSize = {40, 0};
    const TLayoutResult r = ArrangeControls(items, {200, 100}, {100, 100}, 96);
    // Squeezed below its design width but not below its limit.
    EXPECT_EQ(r.Bounds[0].Width(), 84);
    EXPECT_EQ(r.MinClient.Width, 8 + 40 + 8);
}

}  // namespace
}  // namespace nimbra
