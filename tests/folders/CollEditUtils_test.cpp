#include "folders/CollEditUtils.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "base/Exception.h"
#include "folders/NimbraCustomFolders.h"
#include "support/DescribeFolders.h"
#include "support/ScopedTextLookup.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::DescribeFolders;

// A list whose entries are titled by one letter each, in order.
void FillLetters(TCustomFolders& list, const std::string& letters) {
    for (char letter : letters) {
        TCustomFolder* folder = list.Add();
        folder->SetTitle(std::string(1, letter));
        folder->Paths()->AddDisk(std::string("C:\\") + letter);
    }
}

std::string Letters(const TCustomFolders& list) {
    std::string letters;
    for (int i = 0; i < list.Count(); ++i)
        letters += list.Items(i)->Title();
    return letters;
}

// ---- moving by one place -------------------------------------------------------------

struct MoveCase {
    const char* name;
    TPositions selected;
    int step;  // -1 up, +1 down
    bool possible;
    const char* order;
    TPositions positions;
};

class MoveItemsTest : public testing::TestWithParam<MoveCase> {};

TEST_P(MoveItemsTest, MovesTheSelectionAsOneBlock) {
    const MoveCase& c = GetParam();
    TCustomFolders list;
    FillLetters(list, "ABCDEF");
    EXPECT_EQ(c.step < 0 ? CanMoveUp(c.selected) : CanMoveDown(c.selected, list.Count()),
              c.possible);
    const TPositions moved =
        c.step < 0 ? MoveItemsUp(list, c.selected) : MoveItemsDown(list, c.selected);
    EXPECT_EQ(Letters(list), c.order);
    EXPECT_EQ(moved, c.positions);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, MoveItemsTest,
    testing::Values(MoveCase{"BlockAtTopStaysUp", {0, 1}, -1, false, "ABCDEF", {0, 1}},
                    MoveCase{"BlockMovesUp", {2, 3}, -1, true, "ACDBEF", {1, 2}},
                    MoveCase{"UnsortedBlockMovesUp", {3, 2}, -1, true, "ACDBEF", {1, 2}},
                    MoveCase{"GapsAreKeptUp", {1, 3}, -1, true, "BADCEF", {0, 2}},
                    MoveCase{"BlockAtBottomStaysDown", {4, 5}, +1, false, "ABCDEF", {4, 5}},
                    MoveCase{"BlockMovesDown", {3, 4}, +1, true, "ABCFDE", {4, 5}},
                    MoveCase{"GapsAreKeptDown", {0, 2}, +1, true, "BADCEF", {1, 3}},
                    MoveCase{"NothingSelectedUp", {}, -1, false, "ABCDEF", {}},
                    MoveCase{"NothingSelectedDown", {}, +1, false, "ABCDEF", {}}),
    [](const auto& info) { return info.param.name; });

// ---- dropping dragged rows ------------------------------------------------------------

struct DropCase {
    const char* name;
    TPositions selected;
    int dragged;
    int target;
    const char* order;
    TPositions positions;
};

class DropItemsTest : public testing::TestWithParam<DropCase> {};

TEST_P(DropItemsTest, MovesTheSelectionByTheDistanceWithinTheList) {
    const DropCase& c = GetParam();
    TCustomFolders list;
    FillLetters(list, "ABCDEF");
    EXPECT_EQ(DropItems(list, c.selected, c.dragged, c.target), c.positions);
    EXPECT_EQ(Letters(list), c.order);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DropItemsTest,
    testing::Values(
        DropCase{"OneRowGoesToTheTarget", {1}, 1, 4, "ACDEBF", {4}},
        DropCase{"OneRowUpToTheTop", {4}, 4, 0, "EABCDF", {0}},
        DropCase{"ThreeRowsFarPastTheEndEndAtTheBottom", {0, 1, 2}, 0, 5, "DEFABC", {3, 4, 5}},
        DropCase{"BlockPastTheTopStartsAtRowZero", {3, 5}, 5, 0, "DAFBCE", {0, 2}},
        DropCase{"GapsAreKeptMovingDown", {0, 2}, 0, 2, "BDAECF", {2, 4}},
        DropCase{"BlockOnItselfStays", {2, 3}, 3, 3, "ABCDEF", {2, 3}},
        DropCase{"TargetOutsideTheListIsIgnored", {1}, 1, 6, "ABCDEF", {1}},
        DropCase{"StaleSelectionIsIgnored", {1, 9}, 1, 2, "ABCDEF", {1, 9}}),
    [](const auto& info) { return info.param.name; });

// ---- adding, deleting, pasting -----------------------------------------------------------

TEST(AddEditedItemTest, ACancelledAddLeavesTheListAsItWas) {
    TCustomFolders list;
    FillLetters(list, "ABC");
    const auto cancel = [](TCollectionItem& item) {
        static_cast<TCustomFolder&>(item).SetTitle("X");
        return false;
    };
    EXPECT_EQ(AddEditedItem(list, 0, cancel, true), nullptr);
    EXPECT_EQ(Letters(list), "ABC");
    ASSERT_NE(AddEditedItem(list, 0, cancel, false), nullptr);
    EXPECT_EQ(Letters(list), "AXBC");
}

TEST(AddEditedItemTest, InsertsAfterTheGivenRowOrAppends) {
    TCustomFolders list;
    FillLetters(list, "ABC");
    const auto named = [](const char* title) {
        return [title](TCollectionItem& item) {
            static_cast<TCustomFolder&>(item).SetTitle(title);
            return true;
        };
    };
    EXPECT_EQ(AddEditedItem(list, 1, named("X"), true)->Index(), 2);
    EXPECT_EQ(AddEditedItem(list, 3, named("Y"), true)->Index(), 4);
    EXPECT_EQ(AddEditedItem(list, -1, named("Z"), true)->Index(), 5);
    EXPECT_EQ(Letters(list), "ABXCYZ");
}

TEST(AddEditedItemTest, AnEditorThatFailsTakesItsNewItemWithIt) {
    TCustomFolders list;
    FillLetters(list, "AB");
    EXPECT_THROW(
        AddEditedItem(
            list, -1, [](TCollectionItem&) -> bool { throw std::runtime_error("x"); }, true),
        std::runtime_error);
    EXPECT_EQ(Letters(list), "AB");
}

TEST(DeleteItemsTest, DeletesExactlyTheSelectedItems) {
    TCustomFolders list;
    FillLetters(list, "ABCDE");
    DeleteItems(list, {3, 0, 7});
    EXPECT_EQ(Letters(list), "BCE");
}

TEST(AppendCopiesTest, PastingCopiedItemsAppendsDuplicates) {
    TCustomFolders list;
    FillLetters(list, "ABC");
    list.Items(1)->SetInclude(false);
    list.AddSeparator();
    TCustomFolders copied;
    AppendCopies(copied, list);
    EXPECT_EQ(AppendCopies(list, copied), (TPositions{4, 5, 6, 7}));
    const std::vector<std::string> once = DescribeFolders(copied);
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(DescribeFolders(list), twice);
}

struct TextCase {
    const char* name;
    const char* text;
    TTextPasteOptions options;
    std::vector<std::string> items;
};

class PastedTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(PastedTextTest, SplitsAsTheOptionsSay) {
    EXPECT_EQ(PastedTextItems(GetParam().text, GetParam().options), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Options, PastedTextTest,
    testing::Values(
        TextCase{"TextPasteOff", "a\r\nb", {}, {}},
        TextCase{"LinesWithoutText", "a\r\nb", {tpLines}, {}},
        TextCase{"WholeText", "a\r\nb", {tpText}, {"a\r\nb"}},
        TextCase{"Lines", "a\r\n\r\nb\nc\r", {tpText, tpLines}, {"a", "b", "c"}},
        TextCase{"EmptyLines",
                 "a\r\n\r\nb\n\nc",
                 {tpText, tpLines, tpEmptyLines},
                 {"a", "", "b", "", "c"}},
        TextCase{"TrailingBreakMakesNoLine", "a\r\n", {tpText, tpLines, tpEmptyLines}, {"a"}},
        TextCase{"EmptyText", "", {tpText, tpLines, tpEmptyLines}, {}}),
    [](const auto& info) { return info.param.name; });

TEST(AppendTextItemsTest, AnItemThatCannotBeFilledIsLeftOut) {
    TCustomFolders list;
    FillLetters(list, "A");
    const TPositions added =
        AppendTextItems(list, {"B", "bad", "C"}, [](TCollectionItem& item, const std::string& s) {
            if (s == "bad")
                throw EConvertError("bad line");
            static_cast<TCustomFolder&>(item).SetTitle(s);
        });
    EXPECT_EQ(added, (TPositions{1, 2}));
    EXPECT_EQ(Letters(list), "ABC");
}

// ---- texts --------------------------------------------------------------------------------

TEST(ClipboardTextTest, OneCaptionAloneSeveralEachEndingALine) {
    EXPECT_EQ(ClipboardText({"&Desktop"}), "&Desktop");
    EXPECT_EQ(ClipboardText({"a", "b"}), "a\r\nb\r\n");
    EXPECT_EQ(ClipboardText({}), "");
}

struct QuestionCase {
    const char* name;
    int count;
    const char* caption;
    const char* question;
};

class DeleteQuestionTest : public testing::TestWithParam<QuestionCase> {};

TEST_P(DeleteQuestionTest, AsksAboutWhatIsSelected) {
    EXPECT_EQ(DeleteQuestion(GetParam().count, GetParam().caption), GetParam().question);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, DeleteQuestionTest,
    testing::Values(
        QuestionCase{"OneWithHotKeyAsShown", 1, "&Desktop",
                     "Do you really want to delete \"&Desktop\"?"},
        QuestionCase{"OneWithPercent", 1, "50%s & more",
                     "Do you really want to delete \"50%s & more\"?"},
        QuestionCase{"OneWithoutCaption", 1, "", "Do you really want to delete the selected item?"},
        QuestionCase{"Several", 12, "&Desktop", "Do you really want to delete 12 selected items?"}),
    [](const auto& info) { return info.param.name; });

TEST(DeleteQuestionTest, FollowsTheLanguage) {
    testing_support::ScopedTextLookup german(
        {{{"CollBasicFrame", "DeleteConfFmtMany"}, "%d Eintr\xC3\xA4ge l\xC3\xB6schen?"}});
    EXPECT_EQ(DeleteQuestion(3, "x"), "3 Eintr\xC3\xA4ge l\xC3\xB6schen?");
}

TEST(ClipboardFormatTest, NamedByTheClassesOfCollectionAndItems) {
    TCustomFolders folders;
    EXPECT_EQ(ClipboardFormatName(folders, *folders.Add()), "TCustomFolders.TCustomFolder");
    TCustomFolderPaths paths;
    EXPECT_EQ(ClipboardFormatName(paths, *paths.Add()), "TCustomFolderPaths.TCustomFolderPath");
}

// ---- the private stream -----------------------------------------------------------------------

TEST(CollectionStreamTest, ReadsBackWhatItWrote) {
    testing_support::ShellFolderOverride shell({{sfDesktop, "/d"}});
    TCustomFolders list;
    FillLetters(list, "AB");
    list.Items(1)->SetInclude(false);
    list.Items(1)->Paths()->AddShell(sfDesktop);
    list.AddSeparator();
    TCustomFolder* odd = list.Add();
    odd->SetTitle("Comma, \"quote\" & more");
    odd->Paths()->AddDisk("C:\\Program Files (x86)\\a,b");
    TCustomFolders read;
    FillLetters(read, "XYZ");  // what the target held goes
    ReadCollectionStream(WriteCollectionStream(list), read);
    EXPECT_EQ(DescribeFolders(read), DescribeFolders(list));
}

TEST(CollectionStreamTest, AnEmptyCollectionReadsBackEmpty) {
    TCustomFolders read;
    FillLetters(read, "X");
    ReadCollectionStream(WriteCollectionStream(TCustomFolders()), read);
    EXPECT_EQ(read.Count(), 0);
}

struct BadStreamCase {
    const char* name;
    std::string bytes;
};

class BadCollectionStreamTest : public testing::TestWithParam<BadStreamCase> {};

TEST_P(BadCollectionStreamTest, IsRefusedAndLeavesTheTargetAlone) {
    TCustomFolders read;
    FillLetters(read, "XY");
    EXPECT_THROW(ReadCollectionStream(GetParam().bytes, read), EConvertError);
    EXPECT_EQ(Letters(read), "XY");
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, BadCollectionStreamTest,
    testing::Values(
        BadStreamCase{"Empty", ""},
        BadStreamCase{"OtherSignature", "Other.1,Clipboard,Data.Count,1"},
        BadStreamCase{"IncompleteValue", "Nimbra.Collection.1,Clipboard,Data.Count"},
        BadStreamCase{"CountNotANumber", "Nimbra.Collection.1,Clipboard,Data.Count,many"},
        BadStreamCase{"NegativeCount", "Nimbra.Collection.1,Clipboard,Data.Count,-1"},
        BadStreamCase{"HugeCount", "Nimbra.Collection.1,Clipboard,Data.Count,2000000000"},
        BadStreamCase{"ManyCountsTogetherTooMany",
                      "Nimbra.Collection.1,Clipboard,Data.Count,60000,"
                      "Clipboard,Data.Item0.Paths.Count,60000"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace nimbra
