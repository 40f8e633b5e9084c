; The Windows installer: per user, no administrator, into %LOCALAPPDATA%\Programs\Tickora, with a Start
; menu shortcut, an entry in Apps & features and an uninstaller that keeps the user's settings. Both
; take /S for a silent run. cmake/Windows.cmake builds it (target "installer") and defines VERSION,
; PUBLISHER, COPYRIGHT, PROGRAM, LICENSE_FILE, ICON and OUTFILE.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tickora"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
; What a running clock holds: its session's mutex and its window (class TForm1, titled Tickora).
!define CLOCK_MUTEX "Local\Tickora"
!define SYNCHRONIZE 0x00100000

Name "Tickora"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tickora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tickora ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Tickora"
VIAddVersionKey /LANG=1033 "FileDescription" "Tickora ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) ${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "Setup will install Tickora ${VERSION} for your account alone: it needs no administrator.$\r$\n$\r$\nIf the clock is running, Setup closes it before it replaces the program.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_TEXT "Tickora is installed.$\r$\n$\r$\nRight-click its icon in the notification area for Settings, Start at login, Lock in place (every click goes through the clock to the window below) and Hide over full-screen windows (the clock steps aside for a full-screen film, game or presentation on its monitor). Starting Tickora again while it runs opens its settings."
!define MUI_FINISHPAGE_RUN "$INSTDIR\tickora.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Tickora"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var ClosedClock

; Ends a running clock as its "Close" does, and waits until it has let go of its program file. $0 is
; 1 when a clock was running. Aborts when it does not end within ten seconds and the user gives up.
; The close is posted, never sent: a hung clock holds up no step, and the whole wait is bounded.
!macro CLOSE_CLOCK un
Function ${un}CloseClock
  StrCpy $0 0
  System::Call 'kernel32::GetTickCount() i .r2'
  ${Do}
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${CLOCK_MUTEX}") p .r1'
    ${If} $1 == 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r1)'
    ${If} $0 == 0
      DetailPrint "Closing the running clock"
      StrCpy $0 1
    ${EndIf}
    ; Looked for at every pass: a clock still starting holds its mutex before it has a window. A clock
    ; that is busy takes the repeated closes as one.
    FindWindow $1 "TForm1" "Tickora"
    ${If} $1 <> 0
      System::Call 'user32::PostMessageW(p r1, i ${WM_CLOSE}, p 0, p 0)'
    ${EndIf}
    ; Ten seconds, then the user decides; a retry asks the clock again.
    System::Call 'kernel32::GetTickCount() i .r3'
    IntOp $3 $3 - $2
    ${If} $3 >= 10000
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Tickora is still running. Close it (its tray icon's menu offers $\"Close$\"), then choose Retry." /SD IDCANCEL IDRETRY +3
      SetErrorLevel 2
      Abort "Tickora is still running."
      System::Call 'kernel32::GetTickCount() i .r2'
    ${EndIf}
    Sleep 100
  ${Loop}
  ; The process may still be ending after it let go of its mutex; Windows keeps its file open until then.
  ; Only a program already in the folder is waited for (a clock started from elsewhere leaves none, and
  ; opening for writing would make an empty one), for at most five seconds.
  ${If} $0 == 1
    System::Call 'kernel32::GetTickCount() i .r2'
    ${DoWhile} ${FileExists} "$INSTDIR\tickora.exe"
      ClearErrors
      FileOpen $1 "$INSTDIR\tickora.exe" a
      ${IfNot} ${Errors}
        FileClose $1
        ${Break}
      ${EndIf}
      System::Call 'kernel32::GetTickCount() i .r3'
      IntOp $3 $3 - $2
      ${If} $3 >= 5000
        ${Break}
      ${EndIf}
      Sleep 100
    ${Loop}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_CLOCK ""
!insertmacro CLOSE_CLOCK "un."

Section "Tickora"
  Call CloseClock
  StrCpy $ClosedClock $0
  SetOutPath "$INSTDIR"
  File "/oname=tickora.exe" "${PROGRAM}"
  File "/oname=LICENSE.txt" "${LICENSE_FILE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tickora.lnk" "$INSTDIR\tickora.exe" "" "$INSTDIR\tickora.exe" 0 SW_SHOWNORMAL "" \
    "Round analog clock that floats above your windows"

  ; What Apps & features shows, and how it removes the clock.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tickora"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tickora.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  IntFmt $1 "0x%08X" $1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  ; A silent update starts again the clock it closed; the finish page offers it otherwise.
  ${If} ${Silent}
  ${AndIf} $ClosedClock == 1
    Exec '"$INSTDIR\tickora.exe"'
  ${EndIf}
SectionEnd

; The user's settings under HKCU\Software\Tickora stay, so that a reinstall finds the clock as it was.
Section "Uninstall"
  Call un.CloseClock
  Delete "$INSTDIR\tickora.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tickora.lnk"
  ; "Start at login" only where it names this program: a portable copy's entry is the user's own.
  ReadRegStr $1 HKCU "${RUN_KEY}" "Tickora"
  ${If} $1 == '"$INSTDIR\tickora.exe"'
  ${OrIf} $1 == "$INSTDIR\tickora.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "Tickora"
    DeleteRegValue HKCU "${APPROVED_KEY}" "Tickora"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
