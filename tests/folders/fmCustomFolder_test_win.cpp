// The entry and location dialogs' rules as their windows carry them out
// (Windows, here Wine), without showing them modally.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/Forms_win.h"
#include "folders/fmCustomFolder.h"
#include "folders/fmCustomFolderPath.h"
#include "folders/frCustomPathsEdit.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::ShellFolderOverride;

class EntryDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        form_ = new TCustomFolderForm(&app_);
        form_->Show();
        source_ = new TCustomPathsEditFrame(&app_);
        source_->SetName("SourcePaths");
    }

    // Pastes one location into the dialog's paths, as a user would with
    // Ctrl+V after copying it elsewhere.
    void PastePath(const std::string& path) {
        TCustomFolderPaths paths;
        paths.AddDisk(path);
        source_->LoadCollection(paths);
        source_->ListView1->SelectRows({0});
        source_->CollCopy->Execute();
        form_->PathsFrame->CollPaste->Execute();
    }

    bool OkEnabled() {
        form_->OKAction->Update();
        return form_->OKAction->Enabled();
    }

    TApplication app_{GetModuleHandleW(nullptr)};
    TCustomFolderForm* form_ = nullptr;
    TCustomPathsEditFrame* source_ = nullptr;
    TCustomFolders folders_;
};

TEST_F(EntryDialogTest, ANewEntryIsTitledByItsFirstPathAndNeedsOne) {
    TCustomFolder* folder = folders_.Add();
    form_->Load(*folder);
    EXPECT_FALSE(OkEnabled());
    EXPECT_FALSE(form_->Modified());
    PastePath("C:\\Tools");
    EXPECT_EQ(form_->TitleEdit->Text(), "&C:\\Tools");
    EXPECT_TRUE(OkEnabled());
    EXPECT_TRUE(form_->Modified());
    PastePath("D:\\Games");  // the first path still gives the title
    EXPECT_EQ(form_->TitleEdit->Text(), "&C:\\Tools");
    form_->PathsFrame->ListView1->SelectRows({0, 1});
    form_->PathsFrame->CollCut->Execute();
    EXPECT_FALSE(OkEnabled());
    EXPECT_EQ(form_->TitleEdit->Text(), "");
}

TEST_F(EntryDialogTest, ATypedTitleStaysAndAnEmptiedOneIsFilledAtOk) {
    TCustomFolder* folder = folders_.Add();
    folder->SetTitle("Work");
    folder->Paths()->AddDisk("C:\\Work");
    folder->SetInclude(false);
    form_->Load(*folder);
    EXPECT_FALSE(form_->IncludeCheck->Checked());
    PastePath("C:\\Tools");
    EXPECT_EQ(form_->TitleEdit->Text(), "Work");
    form_->TitleEdit->SetText("");
    TCustomFolder* written = folders_.Add();
    form_->Store(*written);
    EXPECT_EQ(written->Title(), "&C:\\Work");
    EXPECT_EQ(written->Paths()->Count(), 2);
    EXPECT_FALSE(written->Include());
}

class LocationDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        form_ = new TCustomFolderPathForm(&app_);
        form_->Show();
    }

    TApplication app_{GetModuleHandleW(nullptr)};
    TCustomFolderPathForm* form_ = nullptr;
    TCustomFolderPaths paths_;
};

TEST_F(LocationDialogTest, OffersExistingFoldersAndWritesBackBothKinds) {
    const ShellFolderOverride shell({{sfFavorites, "C:\\fav"}, {sfDesktop, "C:\\desk"}});
    TCustomFolderPath* path = paths_.AddDisk("C:\\Tools");
    path->SetShellFolder(sfPersonal);  // not offered here
    form_->Load(*path);
    ASSERT_EQ(form_->ShellFolderList->Items()->Count(), 2);
    EXPECT_EQ(form_->ShellFolderList->Items()->Strings(0), "Desktop");
    EXPECT_EQ(form_->ShellFolderList->ItemIndex(), 0);
    EXPECT_TRUE(form_->DiskRadio->Checked());
    EXPECT_TRUE(form_->PathEdit->Enabled());
    EXPECT_FALSE(form_->ShellFolderList->Enabled());
    EXPECT_FALSE(form_->Modified());

    form_->ShellRadio->Select();
    EXPECT_TRUE(form_->Modified());
    EXPECT_FALSE(form_->PathEdit->Enabled());
    EXPECT_EQ(form_->PathEdit->Color(), clBtnFace);
    EXPECT_TRUE(form_->ShellFolderList->Enabled());
    form_->ShellFolderList->ItemIndexChangedByUser(1);
    form_->Store(*path);
    EXPECT_EQ(path->PathType(), ptShell);
    EXPECT_EQ(path->ShellFolder(), sfFavorites);
    EXPECT_EQ(path->Path(), "C:\\Tools");  // kept for a switch back
}

TEST_F(LocationDialogTest, OkNeedsARowOrAPath) {
    const ShellFolderOverride shell({});
    TCustomFolderPath* path = paths_.Add();
    form_->Load(*path);
    form_->OKAction->Update();
    EXPECT_FALSE(form_->OKAction->Enabled());
    form_->PathEdit->TextChangedByUser("C:\\");
    form_->OKAction->Update();
    EXPECT_TRUE(form_->OKAction->Enabled());
    EXPECT_TRUE(form_->Modified());
    form_->ShellRadio->Select();  // no special folder to choose from
    form_->OKAction->Update();
    EXPECT_FALSE(form_->OKAction->Enabled());
}

}  // namespace
}  // namespace nimbra
