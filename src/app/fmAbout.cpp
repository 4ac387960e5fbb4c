#include "app/fmAbout.h"

#include <windows.h>

#include <memory>

#include "app/TrayUtils.h"
#include "app/fmCommonAppForm.h"
#include "base/Unicode.h"
#include "controls/Forms_win.h"
#include "help/CommonAppHelp.h"
#include "utils/NewLangUtils.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

namespace {

struct TSplash {
    std::unique_ptr<TAboutForm> form;
    bool animateToTray = false;
};

// The splash lives between two steps of the start-up, on its one thread.
TSplash& Splash() {
    static TSplash splash;
    return splash;
}

}  // namespace

TAboutForm::TAboutForm(TComponent* owner, bool splash) : TForm(owner) {
    SetName(splash ? "SplashForm" : "AboutForm");
    SetCaption("About %s");
    SetBorderStyle(splash ? bsNone : bsDialog);
    SetPosition(poScreenCenter);
    SetClientSize(300, splash ? 96 : 132);
    SetHint("!App");

    Image1 = MakeControl<TImage>(this, this, "Image1", Bounds(16, 16, 32, 32));
    Image1->SetIconName("MAINICON");
    ProductLabel = MakeControl<TLabel>(this, this, "ProductLabel", Bounds(64, 16, 220, 16));
    ProductLabel->SetCaption(std::string(kAppName));
    ProductLabel->Font()->SetStyle({fsBold});
    VersionLabel = MakeControl<TLabel>(this, this, "VersionLabel", Bounds(64, 40, 220, 13));
    VersionLabel->SetCaption("Version " NIMBRA_VERSION);
    CopyrightLabel = MakeControl<TLabel>(this, this, "CopyrightLabel", Bounds(64, 60, 220, 13));
    CopyrightLabel->SetCaption("Copyright (c) 2026 Quillmoor Software");
    if (!splash) {
        WebButton = MakeControl<TButton>(this, this, "WebButton", Bounds(16, 96, 120, 25));
        WebButton->SetCaption("&Web site...");
        WebButton->SetHint("Open the %s Web site using the default Web browser.");
        WebButton->OnClick = [](TObject&) {
            ShellExecuteW(nullptr, L"open", ToWide(std::string(kAppPage)).c_str(), nullptr, nullptr,
                          SW_SHOWNORMAL);
        };
        OKButton = MakeControl<TButton>(this, this, "OKButton", Bounds(209, 96, 75, 25));
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->SetCancel(true);
        OKButton->SetModalResult(mrOk);
    }
    auto* localizer = new TNewLocalizer(this);
    localizer->SetName("NewLocalizer1");
    localizer->Filter()->Add("-ProductLabel.Caption");
    localizer->Filter()->Add("-VersionLabel.Caption");
    const auto nameTheProgram = [this] {
        SetCaption(WithAppName(Caption()));
        if (WebButton != nullptr)
            WebButton->SetHint(WithAppName(WebButton->Hint()));
    };
    localizer->OnLocalize = [nameTheProgram](TNewLocalizer&) { nameTheProgram(); };
    nameTheProgram();
    FinishLoading(*this);
}

const TClassInfo& TAboutForm::StaticClassInfo() {
    static const TClassInfo info("TAboutForm", &TForm::StaticClassInfo());
    return info;
}

void ShowAboutBox(TComponent* owner) {
    const auto about = std::make_unique<TAboutForm>(owner, false);
    about->ShowModal();
}

void ShowSplash(bool animateToTray) {
    TSplash& splash = Splash();
    splash.form = std::make_unique<TAboutForm>(nullptr, true);
    splash.animateToTray = animateToTray;
    splash.form->Show();
    if (const TWinPeer* peer = PeerOf(*splash.form))
        UpdateWindow(peer->Handle());
}

void HideSplash() {
    TSplash& splash = Splash();
    if (!splash.form)
        return;
    const TWinPeer* peer = PeerOf(*splash.form);
    const HWND tray = TTrayIcon::NotifyAreaWindow();
    if (splash.animateToTray && peer != nullptr && tray != nullptr) {
        RECT from{};
        RECT to{};
        GetWindowRect(peer->Handle(), &from);
        GetWindowRect(tray, &to);
        DrawAnimatedRects(peer->Handle(), IDANI_CAPTION, &from, &to);
    }
    splash.form->Hide();
    splash.form.reset();
}

bool SplashShowing() {
    return Splash().form != nullptr;
}

}  // namespace nimbra
