#pragma once

// The application object and the windows of forms (Windows only).
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/MessageWindow_win.h"
#include "controls/Controls_win.h"
#include "controls/Forms.h"
#include "controls/Graphics_win.h"

namespace nimbra {

class TMenuItem;

// The program's message loop and what all its windows share: the fonts, the
// text measurer, the forms, the hint of what the pointer is on, and the
// system menus being shown. One exists while the program runs (`Application`).
class TApplication : public TComponent {
  public:
    explicit TApplication(HINSTANCE instance);
    ~TApplication() override;

    HINSTANCE Instance() const { return instance_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // The first form shown with Run; closing it ends the loop.
    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }
    // The form whose window is active (or owns the active window); nullptr
    // when another program is active.
    TCustomForm* ActiveForm() const;
    const std::vector<TCustomForm*>& Forms() const { return forms_; }

    // Run shows the main form unless told not to (a start into the
    // notification area), maximized when asked.
    void SetShowMainForm(bool show) { showMainForm_ = show; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetMaximizeMainForm(bool maximize) { maximizeMainForm_ = maximize; }
    // Runs the loop until Terminate or the main form closes.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Serves what is waiting (without idle work) and returns.
    void ProcessMessages();
    // Serves one message, or does the idle work and waits for one.
    void HandleMessage();
    // Shows a form modally: the other windows are disabled until its modal
    // result is set or it is closed.
    TModalResult RunModal(TCustomForm& form);
    // Frees a form after the current message.
    void ReleaseForm(TCustomForm& form);

    // The long hint shown in auto-hint status bars.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    TNotifyEvent OnHint;
    TNotifyEvent OnIdle;

    TFontCache& Fonts() { return fonts_; }
    const TTextMetrics& TextMetrics() const { return metrics_; }

    // System menus being shown, for the windows that receive their
    // messages (WM_INITMENUPOPUP, WM_MENUSELECT, WM_COMMAND).
    void RegisterMenu(HMENU menu, TMenuItem* item);
    void UnregisterMenu(HMENU menu);
    TMenuItem* MenuItemOf(HMENU menu) const;
    // Handles the menu messages a form received; true when handled.
    bool HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Forms register their windows here.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

  private:
    bool ProcessMessage(MSG& msg);
    bool IsShortCut(const MSG& msg);
    bool IsDialogKey(MSG& msg);
    void Idle();
    void UpdateHintFromPointer();

    HINSTANCE instance_;
    std::string title_ = "Nimbra";
    TCustomForm* mainForm_ = nullptr;
    std::vector<TCustomForm*> forms_;
    bool terminated_ = false;
    bool showMainForm_ = true;
    bool maximizeMainForm_ = false;
    std::string hint_;
    TFontCache fonts_;
    TGdiTextMetrics metrics_{fonts_};
    std::map<HMENU, TMenuItem*> menus_;
    std::vector<TCustomForm*> released_;
    std::unique_ptr<TMessageWindow> releaser_;
    HWND hintWindow_ = nullptr;
};

// The program's application object while it exists.
extern TApplication* Application;

// The peer of a form: a top-level window of our class.
class TFormPeer : public TWinPeer {
  public:
    explicit TFormPeer(TCustomForm& form);
    ~TFormPeer() override;

    TCustomForm& Form() const;
    void Changed(TControlChange change) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Moves to the centre of the screen or of the owner, sized for the
    // window's resolution.
    void PlaceInitially();
    // While shown modally, closing sets the modal result instead.
    void SetModal(bool modal) { modal_ = modal; }

  private:
    void ApplyMenu();
    void Resized();
    void OnDpiChanged(WPARAM wParam, const RECT& suggested);
    TSize NonClientSize() const;

    HMENU menuBar_ = nullptr;
    bool applyingDpi_ = false;
    bool modal_ = false;
    HWND lastFocus_ = nullptr;
};

}  // namespace nimbra
