// The collection editor frame as Windows (here Wine) runs it, on the folder
// list of the customize dialog: commands, the real clipboard, check boxes,
// focus-bound keys and a cancelled add.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "controls/Clipboard_win.h"
#include "controls/Controls_win.h"
#include "controls/Forms_win.h"
#include "folders/frCustomFoldersEdit.h"
#include "support/DescribeFolders.h"

namespace nimbra {
namespace {

using testing_support::DescribeFolders;

class CollEditorFrameTest : public testing::Test {
  protected:
    void SetUp() override {
        form_ = new TForm(&app_);
        form_->SetName("TestForm");
        form_->SetClientSize(500, 320);
        frame_ = new TCustomFoldersEditFrame(form_);
        frame_->SetParent(form_);
        frame_->SetAlign(alClient);
        edit_ = new TEdit(form_);
        edit_->SetName("Edit1");
        edit_->SetParent(form_);
        edit_->SetBounds(0, 0, 100, 21);
        edit_->SetAlign(alTop);
        frame_->OnChange = [this](TObject&) { ++changes_; };
        form_->Show();
        for (const char* title : {"A", "B", "C"}) {
            TCustomFolder* folder = source_.Add();
            folder->SetTitle(title);
            folder->Paths()->AddDisk(std::string("C:\\") + title);
        }
        source_.AddSeparator();
        frame_->LoadCollection(source_);
    }

    std::vector<std::string> Rows() const { return DescribeFolders(frame_->Folders()); }

    std::string Titles() const {
        std::string titles;
        for (int i = 0; i < frame_->Folders().Count(); ++i)
            titles +=
                frame_->Folders().Items(i)->Separator() ? "-" : frame_->Folders().Items(i)->Title();
        return titles;
    }

    TApplication app_{GetModuleHandleW(nullptr)};
    TForm* form_ = nullptr;
    TCustomFoldersEditFrame* frame_ = nullptr;
    TEdit* edit_ = nullptr;
    TCustomFolders source_;
    int changes_ = 0;
};

TEST_F(CollEditorFrameTest, LoadingIsNoChangeAndMovesAreRecorded) {
    EXPECT_FALSE(frame_->Modified());
    EXPECT_EQ(ListView_GetItemCount(PeerOf(*frame_->ListView1)->Handle()), 4);
    frame_->ListView1->SelectRows({0, 1});
    frame_->CollUp->Update();
    EXPECT_FALSE(frame_->CollUp->Enabled());
    frame_->CollDown->Update();
    ASSERT_TRUE(frame_->CollDown->Enabled());
    frame_->CollDown->Execute();
    EXPECT_EQ(Titles(), "CAB-");
    EXPECT_EQ(frame_->ListView1->Selected(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(frame_->Modified());
    EXPECT_EQ(changes_, 1);
    // The private copy, not the loaded list, was changed.
    EXPECT_EQ(source_.Items(0)->Title(), "A");
    TCustomFolders stored;
    frame_->StoreCollection(stored);
    EXPECT_EQ(DescribeFolders(stored), Rows());
}

TEST_F(CollEditorFrameTest, CopyAndPasteGoThroughTheClipboardAsItemsAndText) {
    frame_->ListView1->SelectRows({0, 2});
    frame_->CollCopy->Execute();
    EXPECT_EQ(ReadClipboardText().value_or("?"), "A\r\nC\r\n");
    frame_->CollPaste->Update();
    ASSERT_TRUE(frame_->CollPaste->Enabled());
    frame_->CollPaste->Execute();
    EXPECT_EQ(Titles(), "ABC-AC");
    EXPECT_EQ(frame_->ListView1->Selected(), (std::vector<int>{4, 5}));
    EXPECT_EQ(changes_, 1);
    // Another frame of the same kind takes them too.
    auto* otherForm = new TForm(&app_);
    otherForm->SetName("OtherForm");
    auto* other = new TCustomFoldersEditFrame(otherForm);
    other->SetParent(otherForm);
    other->CollPaste->Execute();
    EXPECT_EQ(other->Folders().Count(), 2);
}

TEST_F(CollEditorFrameTest, TextAloneOnTheClipboardDoesNotEnablePaste) {
    WriteClipboard(nullptr, "just text", 0, {});
    frame_->CollPaste->Update();
    EXPECT_FALSE(frame_->CollPaste->Enabled());
}

TEST_F(CollEditorFrameTest, CutRemovesWithoutAskingAndPasteBringsBack) {
    frame_->ListView1->SelectRows({1});
    frame_->CollCut->Execute();
    EXPECT_EQ(Titles(), "AC-");
    frame_->CollPaste->Execute();
    EXPECT_EQ(Titles(), "AC-B");
    EXPECT_EQ(changes_, 2);
}

TEST_F(CollEditorFrameTest, TogglingAndTickingChangeIncludeButNeverASeparator) {
    frame_->ListView1->SelectRows({0, 3});
    frame_->ColToggleItemState->Execute();
    EXPECT_FALSE(frame_->Folders().Items(0)->Include());
    EXPECT_TRUE(frame_->Folders().Items(3)->Separator());
    const HWND list = PeerOf(*frame_->ListView1)->Handle();
    ListView_SetItemState(list, 1, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    EXPECT_FALSE(frame_->Folders().Items(1)->Include());
    ListView_SetItemState(list, 3, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    EXPECT_EQ(ListView_GetItemState(list, 3, LVIS_STATEIMAGEMASK), 0u);
    EXPECT_EQ(changes_, 2);
}

TEST_F(CollEditorFrameTest, ASeparatorGoesAfterTheSelectedRow) {
    frame_->ListView1->SelectRows({0});
    frame_->AddSeparator->Execute();
    EXPECT_EQ(Titles(), "A-BC-");
    EXPECT_EQ(frame_->ListView1->Selected(), (std::vector<int>{1}));
    frame_->CollEdit->Update();
    EXPECT_FALSE(frame_->CollEdit->Enabled());  // a separator is not edited
}

TEST_F(CollEditorFrameTest, TheCommandKeysWorkOnlyWhileTheListHasTheFocus) {
    frame_->FocusList();
    app_.ProcessMessages();
    EXPECT_EQ(frame_->CollCopy->ShortCut(), scCtrl | 'C');
    EXPECT_EQ(frame_->CollRemove->ShortCut(), VK_DELETE);
    edit_->SetFocus();
    app_.ProcessMessages();
    EXPECT_EQ(frame_->CollCopy->ShortCut(), 0);
    EXPECT_EQ(frame_->CollRemove->ShortCut(), 0);
}

// The entry dialog opens for the new entry; closing it is a cancel, which
// takes the new entry away again.
TEST_F(CollEditorFrameTest, ACancelledAddLeavesListAndModifiedAsTheyWere) {
    frame_->ListView1->SelectRows({2});
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) {
        if (HWND dialog = FindWindowW(nullptr, L"Edit menu item properties..."))
            PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    frame_->CollAdd->Execute();
    KillTimer(nullptr, timer);
    EXPECT_EQ(Titles(), "ABC-");
    EXPECT_FALSE(frame_->Modified());
    EXPECT_EQ(changes_, 0);
    EXPECT_EQ(frame_->ListView1->Selected(), (std::vector<int>{2}));
}

}  // namespace
}  // namespace nimbra
