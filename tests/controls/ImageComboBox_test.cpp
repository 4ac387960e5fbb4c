#include "controls/ImageComboBox.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

TEST(ImageComboBoxTest, AsksForEachRowsIconOnceUntilItsTextChanges) {
    TImageComboBox box(nullptr);
    box.Items()->SetCommaText("Desktop,Favorites");
    std::vector<int> asked;
    box.OnRowImage = [&](int row) {
        asked.push_back(row);
        return row * 10;
    };
    EXPECT_EQ(box.RowImage(1), 10);
    EXPECT_EQ(box.RowImage(1), 10);
    EXPECT_EQ(box.RowImage(0), 0);
    EXPECT_EQ(asked, (std::vector<int>{1, 0}));
    box.Items()->Insert(0, "Cookies");  // every row's text moved
    EXPECT_EQ(box.RowImage(1), 10);
    EXPECT_EQ(box.RowImage(2), 20);
    EXPECT_EQ(asked, (std::vector<int>{1, 0, 1, 2}));
    EXPECT_EQ(box.RowImage(3), -1);  // no such row: not asked
    EXPECT_EQ(box.RowImage(-1), -1);
    EXPECT_EQ(asked.size(), 4u);
}

}  // namespace
}  // namespace nimbra
