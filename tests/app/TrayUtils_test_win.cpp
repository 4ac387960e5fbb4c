// The notification icon as the shell (here Wine's) treats it: its record,
// its return after the shell lost it, and what clicks and the shell's
// balloon notices do.
#include "app/TrayUtils.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "controls/Forms_win.h"
#include "controls/Menus.h"

namespace nimbra {
namespace {

constexpr LPARAM kBalloonShown = WM_USER + 2;
constexpr LPARAM kBalloonClicked = WM_USER + 5;

class TrayIconTest : public testing::Test {
  protected:
    void SetUp() override {
        icon_ = new TTrayIcon(&app_);
        icon_->SetHint("Nimbra");
        icon_->Loaded();
    }
    void TearDown() override { delete icon_; }

    void Notify(LPARAM event) { SendMessageW(icon_->Handle(), kTrayCallbackMessage, 0, event); }

    TApplication app_{GetModuleHandleW(nullptr)};
    TTrayIcon* icon_ = nullptr;
};

TEST_F(TrayIconTest, TheRecordCarriesTheCallbackAndATipCutToTheShellsLength) {
    icon_->SetHint(std::string(300, 'x'));
    NOTIFYICONDATAW data;
    icon_->FillIconData(data, false);
    EXPECT_EQ(data.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(data.hWnd, icon_->Handle());
    EXPECT_EQ(std::wcslen(data.szTip), 127u);
    icon_->FillIconData(data, true);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_TIP | NIF_ICON));
}

TEST_F(TrayIconTest, AnIconTheShellLostComesBackWithTheNextChangeOrTheTaskbarsReturn) {
    ASSERT_TRUE(icon_->DeleteIcon()) << "the loaded icon was not added";
    EXPECT_TRUE(icon_->ModifyIcon(true)) << "a refused change did not add the icon again";
    ASSERT_TRUE(icon_->DeleteIcon());
    SendMessageW(icon_->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(icon_->DeleteIcon()) << "the icon did not return with the task bar";
    icon_->SetActive(false);
    EXPECT_FALSE(icon_->ModifyIcon(true)) << "an inactive icon came back";
}

TEST_F(TrayIconTest, AClickRunsTheHandlerUnlessTheFirstHandlerTookIt) {
    int clicks = 0;
    icon_->OnClick = [&](TTrayIcon&, TTrayButton button, int, int) {
        EXPECT_EQ(button, TTrayButton::Left);
        ++clicks;
    };
    Notify(WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);
    icon_->OnBeforeClick = [](TTrayIcon&, TTrayButton, bool& handled, int, int) { handled = true; };
    Notify(WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);
}

TEST_F(TrayIconTest, ADoubleClickRunsTheMenusDefaultItemElseItsHandler) {
    auto* menu = new TPopupMenu(&app_);
    auto* open = new TMenuItem(&app_);
    int opened = 0;
    open->SetCaption("&Open...");
    open->OnClick = [&](TObject&) { ++opened; };
    menu->Items()->Add(open);
    icon_->PopupMenu = menu;
    int doubleClicks = 0;
    icon_->OnDblClick = [&](TObject&) { ++doubleClicks; };
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(doubleClicks, 1) << "no default item: the handler runs";
    open->SetDefault(true);
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(doubleClicks, 1);
    delete menu;
    EXPECT_EQ(icon_->PopupMenu, nullptr) << "a freed menu stayed on the icon";
}

TEST_F(TrayIconTest, WithAWindowOfTheProgramOpenAClickBringsItUpInsteadOfTheMenu) {
    auto* dialog = new TForm(&app_);
    dialog->SetName("Dialog");
    dialog->SetClientSize(200, 100);
    dialog->Show();
    icon_->DisableIfForms = true;
    icon_->PopupMenu = new TPopupMenu(&app_);  // would block the test if it opened
    int clicks = 0;
    icon_->OnClick = [&](TTrayIcon&, TTrayButton, int, int) { ++clicks; };
    SetForegroundWindow(GetDesktopWindow());
    Notify(WM_RBUTTONUP);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(GetForegroundWindow(), PeerOf(*dialog)->Handle());
}

TEST_F(TrayIconTest, TheBalloonStateFollowsTheShellsNoticesAndAClickReportsTheTag) {
    int clickedTag = -1;
    icon_->OnBalloonClick = [&](TTrayIcon&, int tag) { clickedTag = tag; };
    icon_->ShowBalloon("Click the tray icon.", "Nimbra is running now.", 11, 10, bikInfo);
    EXPECT_EQ(icon_->BalloonTag(), 11);
    Notify(kBalloonShown);
    EXPECT_TRUE(icon_->BalloonVisible());
    Notify(kBalloonClicked);
    EXPECT_FALSE(icon_->BalloonVisible());
    EXPECT_EQ(clickedTag, 11);
    icon_->SetActive(false);
    icon_->ShowBalloon("ignored", "ignored", 10, 10, bikInfo);
    EXPECT_EQ(icon_->BalloonTag(), 11) << "an inactive icon showed a balloon";
}

}  // namespace
}  // namespace nimbra
