// The drop-down list with icons as Windows (here Wine) runs it.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/Forms_win.h"
#include "controls/ImageComboBox.h"

namespace nimbra {
namespace {

TEST(ImageComboBoxPeerTest, RowsAreDrawnWithTheirIconsAndTheChoiceIsReported) {
    TApplication app(GetModuleHandleW(nullptr));
    auto* form = new TForm(&app);
    form->SetName("TestForm");
    form->SetClientSize(240, 80);
    auto* box = new TImageComboBox(form);
    box->SetName("ComboBox1");
    box->SetParent(form);
    box->SetBounds(8, 8, 200, 21);
    box->Items()->SetCommaText("Desktop,Favorites,Recent");
    box->SetItemIndex(1);
    std::vector<int> asked;
    box->OnRowImage = [&](int row) {
        asked.push_back(row);
        return 3;
    };
    int changes = 0;
    box->OnChange = [&](TObject&) { ++changes; };
    form->Show();
    const HWND hwnd = PeerOf(*box)->Handle();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    app.ProcessMessages();
    // The shown row was drawn, with the icon asked for it.
    EXPECT_EQ(asked, (std::vector<int>{1}));
    EXPECT_GE(SendMessageW(hwnd, CB_GETITEMHEIGHT, 0, 0), 16);
    EXPECT_EQ(SendMessageW(hwnd, CB_GETCOUNT, 0, 0), 3);
    // A choice by the keyboard reaches the model.
    SendMessageW(hwnd, WM_KEYDOWN, VK_DOWN, 0);
    app.ProcessMessages();
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace nimbra
