#pragma once

// Message boxes (Windows only).
#include <string>

namespace nimbra {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
enum TMsgDlgButtons { mbOK, mbOKCancel, mbYesNo, mbYesNoCancel };

// Shows a message box over the active window of the program, captioned with
// the translated name of its kind ("Error", "Warning", "Information",
// "Confirm"); gives the button chosen as a modal result (mrOk, mrCancel,
// mrYes, mrNo).
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

// Makes message boxes the application's error display: an error that
// reaches a window procedure is shown with the "Error" caption. A second
// error while the box is open is not stacked on it but dropped.
void InstallApplicationErrorDisplay();

}  // namespace nimbra
