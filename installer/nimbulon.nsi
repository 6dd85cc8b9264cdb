; The installer of Nimbulon: per machine into Program Files, one Start-menu
; shortcut, an entry in the list of installed programs, and an uninstaller
; that keeps the user's settings unless asked to remove them.
;
; scripts/release.sh builds it, with every fact of the program read from the
; built executable:
;   makensis -DVERSION=a.b.c.d -DPUBLISHER=... -DCOPYRIGHT=... -DEXE=... \
;            -DLICENSE=... -DREADME=... -DICON=... -DOUTFILE=... nimbulon.nsi
; Silent use: Setup.exe /S [/D=folder]; Uninstall.exe /S [/REMOVESETTINGS].

Unicode true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Nimbulon"
!define APP_PATHS_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\Nimbul.exe"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Quendel-Soft\Nimbul"
!define VENDOR_KEY "Software\Quendel-Soft"
; The program's single-instance mutex and its main window's class.
!define INSTANCE_MUTEX "Nimbulon"
!define MAIN_WINDOW_CLASS "TfrmNimbulMain"
!define SYNCHRONIZE 0x00100000

Name "Nimbulon"
Caption "Nimbulon ${VERSION} Setup"
UninstallCaption "Nimbulon Uninstall"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Nimbulon"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
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
!define MUI_FINISHPAGE_RUN "$INSTDIR\Nimbul.exe"
!define MUI_FINISHPAGE_RUN_TEXT "&Start Nimbulon now"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
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

Function .onInit
  Call EndRunningNimbulon
FunctionEnd

Section "Nimbulon" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=Nimbul.exe" "${EXE}"
  File "/oname=License.txt" "${LICENSE}"
  File "/oname=Readme.txt" "${README}"
  CreateDirectory "$INSTDIR\Icons"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Nimbulon.lnk" "$INSTDIR\Nimbul.exe" "" "$INSTDIR\Nimbul.exe" 0 \
    SW_SHOWNORMAL "" "Hide and show other programs' windows"

  ; The same registration the program writes at every start, so "Nimbul"
  ; in the Run box works before the first one.
  WriteRegStr HKLM "${APP_PATHS_KEY}" "" "$INSTDIR\Nimbul.exe"
  WriteRegStr HKLM "${APP_PATHS_KEY}" "Path" "$INSTDIR\"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Nimbulon"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Nimbul.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "-un.Program"
  Delete "$INSTDIR\Nimbul.exe"
  Delete "$INSTDIR\License.txt"
  Delete "$INSTDIR\Readme.txt"
  ; What an interrupted update may have left.
  Delete "$INSTDIR\newver.axe"
  Delete "$INSTDIR\versnfo~.tmp"
  Delete "$INSTDIR\install.bat"
  Delete "$INSTDIR\Uninstall.exe"
  ; Icons the user saved stay, and with them their folder.
  RMDir "$INSTDIR\Icons"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Nimbulon.lnk"

  DeleteRegValue HKCU "${RUN_KEY}" "Nimbulon"
  DeleteRegKey HKLM "${APP_PATHS_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
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
  Call un.EndRunningNimbulon
FunctionEnd
