#include "controls/Dialogs_win.h"

#include <windows.h>

#include <array>
#include <string_view>

#include "base/ErrorDisplay.h"
#include "base/Unicode.h"
#include "controls/StdCtrls.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

namespace {

struct TKind {
    const TCodeText& Caption;
    UINT Icon;
};

const std::array<TKind, 4> kKinds{{{CodeText("MessageBox", "Warning"), MB_ICONWARNING},
                                   {CodeText("MessageBox", "Error"), MB_ICONERROR},
                                   {CodeText("MessageBox", "Information"), MB_ICONINFORMATION},
                                   {CodeText("MessageBox", "Confirm"), MB_ICONQUESTION}}};

constexpr std::array<UINT, 4> kButtons{MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL};

// The active window of this program, if one is active; message boxes are
// owned by it so they stay in front of it.
HWND OwnerWindow() {
    const HWND active = GetActiveWindow();
    DWORD process = 0;
    if (active != nullptr)
        GetWindowThreadProcessId(active, &process);
    return process == GetCurrentProcessId() ? active : nullptr;
}

}  // namespace

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    const TKind& kind = kKinds[static_cast<std::size_t>(type)];
    const std::wstring caption = ToWide(GetLocalizedString(kind.Caption));
    const std::wstring body = ToWide(text);
    switch (MessageBoxW(OwnerWindow(), body.c_str(), caption.c_str(),
                        kind.Icon | kButtons[static_cast<std::size_t>(buttons)])) {
        case IDOK:
            return mrOk;
        case IDYES:
            return mrYes;
        case IDNO:
            return mrNo;
        default:
            return mrCancel;
    }
}

void InstallApplicationErrorDisplay() {
    SetErrorHandler([showing = false](std::exception_ptr error) mutable {
        // The box pumps messages: an error raised meanwhile would open a
        // second box over the first, and so on.
        if (showing)
            return;
        showing = true;
        try {
            MessageDlg(ErrorText(error), mtError, mbOK);
        } catch (...) {
            ShowErrorDefault(ErrorText(error));
        }
        showing = false;
    });
}

}  // namespace nimbra
