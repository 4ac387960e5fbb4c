#pragma once

// The program's icon in the notification area: its tip, its menus, its
// balloons, and its return after the task bar was re-created.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Classes.h"
#include "base/Handles_win.h"
#include "base/MessageWindow_win.h"
#include "controls/ActnList.h"

namespace nimbra {

class TPopupMenu;

enum class TTrayButton { Left, Right };
enum TBalloonIconKind { bikNone, bikWarning, bikError, bikInfo };

// The notification messages the shell sends to the icon's window.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 1;

// The shell's abilities, decided once from the version of its library: a
// shell before 4.70 knows no "TaskbarCreated" (the icon polls instead), one
// before 5.0 has short tips and no balloons.
struct TShellCaps {
    DWORD Version = MAKELONG(0, 4);  // MAKELONG(minor, major)
    bool HasTaskbarCreated() const { return Version >= MAKELONG(70, 4); }
    bool HasBalloons() const { return Version >= MAKELONG(0, 5); }
    // The size of the icon record and the longest tip it holds.
    DWORD RecordSize() const;
    std::size_t TipLength() const { return HasBalloons() ? 127 : 63; }
};
const TShellCaps& ShellCaps();

class TTrayIcon : public TComponent {
  public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;

    // The icon is present in the notification area.
    bool Active() const { return active_; }
    void SetActive(bool value);
    // The picture; the icon takes a copy. Without one the program's
    // "MAINICON" is used.
    void SetIcon(HICON icon);
    HICON Icon() const { return icon_.Get(); }
    // The tip, cut to what the shell holds.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);

    // Menus for the right and the left button.
    TPopupMenu* PopupMenu = nullptr;
    TPopupMenu* LeftPopupMenu = nullptr;
    // While a window of the program other than those of the exempt classes
    // is visible, a click brings that window up instead of opening a menu.
    bool DisableIfForms = false;
    // A double click runs the default item of PopupMenu.
    bool DblClickDefault = true;
    void AddExemptClass(const TClassInfo& formClass);

    // Runs first on every click; `handled` stops the rest.
    std::function<void(TTrayIcon&, TTrayButton, bool& handled, int x, int y)> OnBeforeClick;
    // A click that opened no menu.
    std::function<void(TTrayIcon&, TTrayButton, int x, int y)> OnClick;
    TNotifyEvent OnDblClick;
    std::function<void(TTrayIcon&, TTrayButton, int x, int y)> OnMouseDown;
    std::function<void(TTrayIcon&, TTrayButton, int x, int y)> OnMouseUp;
    std::function<void(TTrayIcon&, int x, int y)> OnMouseMove;
    std::function<void(TTrayIcon&, int tag)> OnBalloonClick;

    // Removes and re-adds the icon every ShiftPeriod seconds, which moves it
    // to the right end of the area.
    bool AutoShiftRight() const { return autoShiftRight_; }
    void SetAutoShiftRight(bool value);
    int ShiftPeriod = 60;

    bool AddIcon();
    bool DeleteIcon();
    // Sends the record again; when the shell refuses (it lost the icon) and
    // the icon is active, adds it anew.
    bool ModifyIcon(bool withIcon);
    void FillIconData(NOTIFYICONDATAW& data, bool withIcon) const;

    // Only while active on a shell with balloons. A balloon with text or a
    // title replaces a visible one and is hidden after `timeoutSeconds`; an
    // empty one hides the current balloon.
    void ShowBalloon(const std::string& text, const std::string& title, int tag, int timeoutSeconds,
                     TBalloonIconKind kind);
    void HideBalloon();
    static bool BalloonsSupported() { return ShellCaps().HasBalloons(); }
    bool BalloonVisible() const { return balloonVisible_; }
    int BalloonTag() const { return balloonTag_; }

    // The notification area ("TrayNotifyWnd" in "Shell_TrayWnd") and its
    // clock; nullptr when the shell has none.
    static HWND NotifyAreaWindow();
    static HWND ClockWindow();

    // After loading: the icon appears when active.
    void Loaded() override;

    // The hidden window the shell talks to.
    HWND Handle() const { return window_->Handle(); }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    virtual void Click(TTrayButton button, int x, int y);
    virtual void DblClick();
    void Notification(TComponent* component, TOperation operation) override;

  private:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Callback(LPARAM event);
    // True when the click brought a window up or opened the menu.
    bool TryMenu(TPopupMenu* menu, int x, int y);
    // A visible window of the program that is not of an exempt class.
    HWND BlockingWindow() const;

    bool active_ = true;
    std::string hint_;
    TIconHandle icon_;
    bool autoShiftRight_ = false;
    bool balloonVisible_ = false;
    int balloonTag_ = 0;
    int openMenus_ = 0;
    std::vector<const TClassInfo*> exemptClasses_;
    std::unique_ptr<TMessageWindow> window_;
};

}  // namespace nimbra
