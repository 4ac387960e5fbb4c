#pragma once

// The window side of the controls (Windows only): one peer per control,
// owning the control's window and translating between its messages and the
// control's model.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/Handles_win.h"
#include "controls/Controls.h"

namespace nimbra {

// The base of every peer. A peer creates its window (a system control
// hooked with SetWindowSubclass, or a window of our own class), publishes
// the control's component path on it as the property "Nimbra.Name" (a global
// atom, so that tools outside the process find controls by name), pushes
// the model's state into the window and reports what the user did back to
// the model.
class TWinPeer : public TControlPeer {
  public:
    explicit TWinPeer(TControl& control);
    ~TWinPeer() override;
    TWinPeer(const TWinPeer&) = delete;
    TWinPeer& operator=(const TWinPeer&) = delete;

    HWND Handle() const { return window_.Get(); }
    TControl& Control() const { return control_; }

    // The peer of a window of ours, or nullptr.
    static TWinPeer* FromHandle(HWND hwnd);

    void Changed(TControlChange change) override;
    void ApplyChildBounds(const std::vector<TControl*>& children) override;
    bool GetClientSize(TSize& size) const override;
    int Dpi() const override;
    void SetFocus() override;
    bool Focused() const override;
    void PostWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Answers a message of the window; the base handles keys, focus, the
    // context menu, the wait cursor, fonts and reflection.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification the parent received from this control (WM_COMMAND,
    // WM_NOTIFY, WM_CTLCOLOR*); true when answered.
    virtual bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Re-reads fonts and images after the resolution changed.
    virtual void DpiChanged();

    // The control's font at the window's resolution.
    HFONT FontHandle() const;

  protected:
    // Creates a system control's window as a child of the parent's window
    // and hooks it.
    void CreateSystemControl(const wchar_t* className, DWORD style, DWORD exStyle, int id = 0);
    // Creates a window of our own class (containers, forms).
    void CreateOwnWindow(DWORD style, DWORD exStyle, HWND parent);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The control's text pushed to the window without reporting it back.
    void PushText();
    HWND ParentHandle() const;
    bool SettingText() const { return settingText_; }

  private:
    friend LRESULT CALLBACK PeerSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    friend LRESULT CALLBACK PeerOwnWindowProc(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND hwnd);
    void Detach();
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandleKey(UINT message, WPARAM wParam);

    TControl& control_;
    TWindowHandle window_;
    bool subclassed_ = false;
    bool settingText_ = false;
    ATOM nameAtom_ = 0;
};

// The peer of a list (or drop-down list) whose rows the program draws: the
// rows are filled when the model's state changes, their height follows the
// font and the resolution, and the user's choice is reported.
class TOwnerDrawListPeer : public TWinPeer {
  public:
    void Changed(TControlChange change) override;
    void DpiChanged() override;
    bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  protected:
    // `selectionChange` is the notification of a new choice (LBN_SELCHANGE,
    // CBN_SELCHANGE), `getSelection` the message that reads it.
    TOwnerDrawListPeer(TControl& control, WORD selectionChange, UINT getSelection)
        : TWinPeer(control), selectionChange_(selectionChange), getSelection_(getSelection) {}
    // The first filling and row height, once the window exists.
    void Initialize();

    virtual void Fill() = 0;
    virtual void SetRowHeights() = 0;
    virtual void DrawRow(const DRAWITEMSTRUCT& draw) = 0;
    virtual void SelectionChanged(int index) = 0;

  private:
    WORD selectionChange_;
    UINT getSelection_;
};

class TComboBox;
// Puts a combo box's items, selection and drop-down length into its window.
void FillComboBoxWindow(HWND window, const TComboBox& box);

// Makes the peer of a control and of everything inside it, parents first;
// controls that have one keep it.
void CreateHandles(TControl& control);
TWinPeer* PeerOf(const TControl& control);

// The resolution of a window; 96 before it has one.
int WindowDpi(HWND hwnd);
// The key state of the modifier keys now.
TShiftState KeyboardShiftState();

}  // namespace nimbra
