; Nimbra's installer: for the current user alone, without administrator
; rights. scripts/package builds it with makensis and passes
;   VERSION  the program's version (from CMakeLists.txt),
;   STAGE    the folder with nimbra.exe and the language files,
;   ICON     the program's icon,
;   PICTURE  the picture of the welcome and finish pages (164 x 314 BMP),
;   OUTFILE  the setup program to write.
; Switches of the setup program: /S (silent), /D=FOLDER (where to install,
; last on the line), /NOSTARTUP (do not start with Windows).
; Switches of the uninstaller: /S (silent; keeps the settings unless
; /REMOVESETTINGS is given too).

; A 64-bit setup for a 64-bit program (and Wine's 64-bit prefixes).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define PRODUCT "Nimbra"
!define MAKER "Quillmoor Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Nimbra"
!define SETTINGS_KEY "Software\${MAKER}\Nimbra"
; The shortcut the program's own Shell options write: same name, same switch.
!define LINK "Nimbra.lnk"
!define TRAY_SWITCH "-tray"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 ${MAKER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURE}"
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\nimbra.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString WelcomeText ${LANG_ENGLISH} "Setup will install Nimbra ${VERSION}, the keyboard launcher, for you alone: no administrator rights are needed.$\r$\n$\r$\nA copy of Nimbra that is running is closed first.$\r$\n$\r$\nClick Next to continue."
LangString WelcomeText ${LANG_GERMAN} "Dieses Programm installiert Nimbra ${VERSION}, den Tastatur-Starter, nur für Sie: Administratorrechte sind nicht nötig.$\r$\n$\r$\nEin laufendes Nimbra wird vorher beendet.$\r$\n$\r$\nKlicken Sie auf Weiter, um fortzufahren."
LangString ProgramSection ${LANG_ENGLISH} "Nimbra and its Start-menu shortcut"
LangString ProgramSection ${LANG_GERMAN} "Nimbra und seine Verknüpfung im Startmenü"
LangString StartupSection ${LANG_ENGLISH} "Run this program when Windows starts"
LangString StartupSection ${LANG_GERMAN} "Dieses Programm beim Start von Windows ausführen"
LangString StillRunning ${LANG_ENGLISH} "Nimbra is still running and could not be closed.$\r$\n$\r$\nEnd it (File > Exit) and choose Retry, or Cancel."
LangString StillRunning ${LANG_GERMAN} "Nimbra läuft noch und konnte nicht beendet werden.$\r$\n$\r$\nBeenden Sie es (Datei > Beenden) und wählen Sie Wiederholen, oder Abbrechen."
LangString RemoveSettings ${LANG_ENGLISH} "Do you also want to remove your Nimbra settings?"
LangString RemoveSettings ${LANG_GERMAN} "Sollen auch Ihre Einstellungen von Nimbra entfernt werden?"

; ---- closing a running copy ---------------------------------------------------

; Runs PROGRAM -exit, which asks the copy that runs to end and waits for it
; (at most 20 seconds); when it still runs after that, the user may end it
; and try again. A silent run gives up: the setup ends with exit code 2.
; Used once in a section (labels are the section's own).
!macro CloseRunningCopy PROGRAM
  retry_close:
  ClearErrors
  ExecWait '"${PROGRAM}" -exit' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry_close
    Abort
  ${EndIf}
!macroend

; ---- install ----------------------------------------------------------------

Section "$(ProgramSection)" SecProgram
  SectionIn RO
  ; The new program asks whatever copy runs to end, wherever it lies, so
  ; that no file below is locked.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\nimbra.exe" "${STAGE}\nimbra.exe"
  !insertmacro CloseRunningCopy "$PLUGINSDIR\nimbra.exe"
  Delete "$PLUGINSDIR\nimbra.exe"

  SetOutPath "$INSTDIR"
  File "${STAGE}\nimbra.exe"
  File "${STAGE}\*.lng"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${LINK}" "$INSTDIR\nimbra.exe"
  ; Chosen anew with each install: the next section writes it back.
  Delete "$SMSTARTUP\${LINK}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\nimbra.exe",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(StartupSection)" SecStartup
  CreateShortcut "$SMSTARTUP\${LINK}" "$INSTDIR\nimbra.exe" "${TRAY_SWITCH}"
SectionEnd

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NOSTARTUP" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecStartup} 0
  ${EndIf}
FunctionEnd

; ---- uninstall --------------------------------------------------------------

Section "Uninstall"
  ${If} ${FileExists} "$INSTDIR\nimbra.exe"
    !insertmacro CloseRunningCopy "$INSTDIR\nimbra.exe"
  ${EndIf}
  ; Asked once the program has ended: it writes its settings when it ends.
  StrCpy $R9 "keep"
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    StrCpy $R9 "remove"
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettings)" /SD IDNO IDNO +2
      StrCpy $R9 "remove"
  ${EndIf}

  ; The installer's shortcuts and those the Shell options may have made.
  Delete "$SMPROGRAMS\${LINK}"
  Delete "$SMSTARTUP\${LINK}"
  Delete "$DESKTOP\${LINK}"
  Delete "$QUICKLAUNCH\${LINK}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ${If} $R9 == "remove"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${MAKER}"
  ${EndIf}

  ; The program folder goes last: once it is gone, the uninstall is over.
  Delete "$INSTDIR\nimbra.exe"
  Delete "$INSTDIR\*.lng"
  Delete "$INSTDIR\nimbra.help.txt"
  Delete "$INSTDIR\uninstall.exe"
  ${If} $R9 == "remove"
    Delete "$INSTDIR\Nimbra.ini"
  ${EndIf}
  ; Only when empty: what the user put there stays.
  RMDir "$INSTDIR"
SectionEnd
