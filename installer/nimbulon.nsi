; The installer of Nimbulon. By default for the user who runs it, without
; administrator rights, into that user's own programs folder
; (%LOCALAPPDATA%\Programs\Nimbulon), where Nimbulon can update itself and save
; icons; on request (the options page, or /ALLUSERS) for everyone, into
; Program Files, with administrator rights. Either way one Start-menu
; shortcut, an entry in the list of installed programs, and an uninstaller
; that removes what its install wrote and keeps the user's settings unless
; asked to remove them.
;
; scripts/release.sh builds it, with every fact of the program read from the
; built executable:
;   makensis -DVERSION=a.b.c.d -DPUBLISHER=... -DCOPYRIGHT=... -DEXE=... \
;            -DLICENSE=... -DREADME=... -DICON=... -DOUTFILE=... nimbulon.nsi
; Silent use: Setup.exe /S [/ALLUSERS] [/D=folder]; Uninstall.exe /S [/REMOVESETTINGS].
;
; The setup itself never runs elevated unless started so: for an install for
; everyone it starts a second, silent copy of itself with the "runas" verb,
; which asks Windows for an administrator's permission, and waits for it.
; What the logged-on user sees and starts (the pages, "Run Nimbulon now")
; stays with the first copy, so Nimbulon never inherits an administrator's
; token or profile. A machine-wide uninstaller hands over the same way.

Unicode true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include nsDialogs.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Nimbulon"
!define APP_PATHS_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\Nimbul.exe"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Quendel-Soft\Nimbul"
!define VENDOR_KEY "Software\Quendel-Soft"
; The program's single-instance mutex and its main window's class.
!define INSTANCE_MUTEX "Nimbulon"
!define MAIN_WINDOW_CLASS "TfrmNimbulMain"
!define SYNCHRONIZE 0x00100000
; ShellExecuteEx: keep the process handle, and let the call finish its work
; before it returns (SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC).
!define SEE_MASK_WAIT_FOR_PROCESS 0x140
!define ERROR_CANCELLED 1223
; GetTokenInformation: TokenElevationType, and its value for a token that a
; consent prompt raised.
!define TOKEN_QUERY 0x0008
!define TokenElevationType 18
!define TokenElevationTypeFull 2

Name "Nimbulon"
Caption "Nimbulon ${VERSION} Setup"
UninstallCaption "Nimbulon Uninstall"
OutFile "${OUTFILE}"
; No InstallDir: an empty $INSTDIR in .onInit tells that no /D= was given,
; and the folder then follows the mode.
RequestExecutionLevel user
BrandingText "Nimbulon ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Nimbulon"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Nimbulon Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "&Run Nimbulon now"
!define MUI_FINISHPAGE_RUN_FUNCTION RunNimbulonAsTheUser
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_PAGE_HEADER_TEXT "Your settings"
!define MUI_PAGE_HEADER_SUBTEXT "Nimbulon keeps your colours, hotkeys and tray icon unless you remove them."
!define MUI_COMPONENTSPAGE_TEXT_TOP "Tick the box to remove your Nimbulon settings from this computer as well."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Ends a running Nimbulon after asking, the way its own "End Program" does,
; so the windows it has hidden come back before its file goes. Quits when
; the user declines or the program does not end.
!macro DEFINE_END_RUNNING_NIMBULON un
Function ${un}EndRunningNimbulon
  Push $0
  Push $1
  ${Do}
    System::Call 'kernel32::OpenMutex(i ${SYNCHRONIZE}, i 0, t "${INSTANCE_MUTEX}") p .r0'
    ${If} $0 P= 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_OKCANCEL|MB_ICONQUESTION \
      "Nimbulon is running. It will be closed first, and every window it has hidden comes back.$\n$\nClose Nimbulon now?" \
      /SD IDOK IDOK close
    Quit
  close:
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 <> 0
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${EndIf}
    ; Up to ten seconds for the process to end and free its name.
    StrCpy $1 0
    ${Do}
      System::Call 'kernel32::OpenMutex(i ${SYNCHRONIZE}, i 0, t "${INSTANCE_MUTEX}") p .r0'
      ${If} $0 P= 0
        ${Break}
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r0)'
      Sleep 100
      IntOp $1 $1 + 1
    ${LoopUntil} $1 >= 100
    ${If} $0 P= 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Nimbulon did not close. Close it yourself, then click Retry." /SD IDCANCEL IDRETRY again
    Quit
  again:
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_NIMBULON ""
!insertmacro DEFINE_END_RUNNING_NIMBULON "un."

; ${result} := 1 when this process may write for every user (its token holds
; the administrators' group, as after a consent prompt), else empty.
!macro IS_ADMIN result
  UserInfo::GetAccountType
  Pop ${result}
  ${If} ${result} == "Admin"
    StrCpy ${result} 1
  ${Else}
    StrCpy ${result} ""
  ${EndIf}
!macroend

; Starts ${exe} with ${parameters} with an administrator's permission (Windows
; asks for it) and waits until it has ended. ${result} := its exit code, or
; "cancelled" when the permission was refused, or "failed: <error>".
!macro RUN_ELEVATED_AND_WAIT exe parameters result
  System::Call '*(i 60, i ${SEE_MASK_WAIT_FOR_PROCESS}, p $HWNDPARENT, t "runas", t "${exe}", t "${parameters}", p 0, i 1, p 0, p 0, p 0, p 0, i 0, p 0, p 0) p .R8'
  System::Call 'shell32::ShellExecuteEx(p R8) i .R9 ?e'
  Pop ${result}
  ${If} $R9 <> 0
    System::Call '*$R8(i, i, p, p, p, p, p, i, p, p, p, p, i, p, p .R9)'
    System::Call 'kernel32::WaitForSingleObject(p R9, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p R9, *i .s)'
    Pop ${result}
    System::Call 'kernel32::CloseHandle(p R9)'
  ${ElseIf} ${result} = ${ERROR_CANCELLED}
    StrCpy ${result} "cancelled"
  ${Else}
    StrCpy ${result} "failed: ${result}"
  ${EndIf}
  System::Free $R8
!macroend

; Both roots' App Paths registration of Nimbul.exe: the program writes the
; machine's when it may and the user's otherwise.
!macro DELETE_APP_PATHS
  DeleteRegKey HKCU "${APP_PATHS_KEY}"
  DeleteRegKey HKLM "${APP_PATHS_KEY}"
!macroend

; 1 for an install for everyone (Program Files, HKEY_LOCAL_MACHINE, the
; common Start menu), empty for one for the user who runs the setup.
Var AllUsers
; The folder given by /D=, which no mode changes.
Var DirGiven
Var RadioJustMe
Var RadioEveryone

; Sets the shell folders and the registry root (SHCTX) of the chosen mode
; and, unless a folder was given, the folder: where this mode installed
; before, else the mode's own.
Function ApplyMode
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  ${If} $DirGiven != ""
    Return
  ${EndIf}
  ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $INSTDIR != ""
    Return
  ${EndIf}
  ${If} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES\Nimbulon"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Nimbulon"
  ${EndIf}
FunctionEnd

Function .onInit
  StrCpy $DirGiven $INSTDIR
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/ALLUSERS" $1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${EndIf}
  Call ApplyMode
  Call EndRunningNimbulon
FunctionEnd

Function ModePage
  !insertmacro MUI_HEADER_TEXT "Install for" "Choose who can use Nimbulon on this computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0 100% 30u "Just for &me (recommended). No administrator rights are needed, and Nimbulon can update itself. Into $LOCALAPPDATA\Programs\Nimbulon."
  Pop $RadioJustMe
  ${NSD_CreateRadioButton} 0 40u 100% 30u "For &everyone who uses this computer. Needs an administrator's permission; new versions are installed with a new setup. Into Program Files."
  Pop $RadioEveryone
  ${If} $AllUsers == 1
    ${NSD_Check} $RadioEveryone
  ${Else}
    ${NSD_Check} $RadioJustMe
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $RadioEveryone $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers ""
  ${EndIf}
  Call ApplyMode
FunctionEnd

; "Run Nimbulon now": as the user who is logged on, never with a setup's
; administrator token. A setup that a consent prompt raised hands the start
; to the desktop's own shell, which runs as that user.
Function RunNimbulonAsTheUser
  StrCpy $0 ""
  System::Call 'kernel32::GetCurrentProcess() p .r1'
  System::Call 'advapi32::OpenProcessToken(p r1, i ${TOKEN_QUERY}, *p .r2) i .r3'
  ${If} $3 <> 0
    System::Call 'advapi32::GetTokenInformation(p r2, i ${TokenElevationType}, *i .r4, i 4, *i .r5) i .r3'
    ${If} $3 <> 0
    ${AndIf} $4 = ${TokenElevationTypeFull}
      StrCpy $0 1
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
  ${If} $0 == 1
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\Nimbul.exe"'
  ${Else}
    Exec '"$INSTDIR\Nimbul.exe"'
  ${EndIf}
FunctionEnd

Section "Nimbulon" SecProgram
  SectionIn RO
  ${If} $AllUsers == 1
    !insertmacro IS_ADMIN $0
    ${If} $0 != 1
      ; This copy stays the user's; a silent one installs for everyone.
      DetailPrint "Installing for everyone with an administrator's permission..."
      !insertmacro RUN_ELEVATED_AND_WAIT "$EXEPATH" "/S /ALLUSERS /D=$INSTDIR" $0
      ${If} $0 != 0
        MessageBox MB_OK|MB_ICONSTOP \
          "Nimbulon could not be installed for everyone ($0).$\n$\nChoose $\"Just for me$\" to install it without administrator rights." \
          /SD IDOK
        SetErrorLevel 2
        Abort
      ${EndIf}
      Return
    ${EndIf}
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "/oname=Nimbul.exe" "${EXE}"
  File "/oname=License.txt" "${LICENSE}"
  File "/oname=Readme.txt" "${README}"
  CreateDirectory "$INSTDIR\Icons"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The Start menu and the registry root of the mode (ApplyMode).
  CreateShortcut "$SMPROGRAMS\Nimbulon.lnk" "$INSTDIR\Nimbul.exe" "" "$INSTDIR\Nimbul.exe" 0 \
    SW_SHOWNORMAL "" "Hide and show other programs' windows"

  ; The same registration the program writes at every start, so "Nimbul"
  ; in the Run box works before the first one.
  WriteRegStr SHCTX "${APP_PATHS_KEY}" "" "$INSTDIR\Nimbul.exe"
  WriteRegStr SHCTX "${APP_PATHS_KEY}" "Path" "$INSTDIR\"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Nimbulon"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Nimbul.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "-un.Program"
  ; The logged-on user's own traces, whichever copy removes the files.
  DeleteRegValue HKCU "${RUN_KEY}" "Nimbulon"
  !insertmacro DELETE_APP_PATHS

  ${If} $AllUsers == 1
    !insertmacro IS_ADMIN $0
    ${If} $0 != 1
      ; The files and the machine's entries need an administrator: a silent
      ; copy of this uninstaller removes them.
      DetailPrint "Removing Nimbulon for everyone with an administrator's permission..."
      !insertmacro RUN_ELEVATED_AND_WAIT "$EXEPATH" "/S _?=$INSTDIR" $0
      ${If} $0 != 0
        MessageBox MB_OK|MB_ICONSTOP "Nimbulon could not be removed ($0)." /SD IDOK
        SetErrorLevel 2
        Abort
      ${EndIf}
      Return
    ${EndIf}
  ${EndIf}

  Delete "$INSTDIR\Nimbul.exe"
  Delete "$INSTDIR\License.txt"
  Delete "$INSTDIR\Readme.txt"
  ; What an interrupted update may have left.
  Delete "$INSTDIR\newver.axe"
  Delete "$INSTDIR\oldver.axe"
  Delete "$INSTDIR\versnfo~.tmp"
  Delete "$INSTDIR\updnote~.txt"
  Delete "$INSTDIR\install.bat"
  Delete "$INSTDIR\Uninstall.exe"
  ; Icons the user saved stay, and with them their folder.
  RMDir "$INSTDIR\Icons"
  RMDir "$INSTDIR"

  ; The Start menu and the registry root of this uninstaller's mode (un.onInit).
  Delete "$SMPROGRAMS\Nimbulon.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Remove my Nimbulon settings" SecRemoveSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${VENDOR_KEY}"
SectionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecRemoveSettings}
  ${EndIf}
  ; This uninstaller belongs to the install for everyone when the machine's
  ; entry names its folder; otherwise to the user's own.
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $1 == $INSTDIR
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${Else}
    StrCpy $AllUsers ""
    SetShellVarContext current
  ${EndIf}
  Call un.EndRunningNimbulon
FunctionEnd
