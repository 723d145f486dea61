; The setup of Ambrel. tools/package.sh runs makensis on this script with
;   VERSION   the release, "1.2.0" (the CMake project version)
;   STAGE     the staged install root (corvane/res/utilities/ambrel/...)
;   LISTS     the folder of the generated install_files.nsh and uninstall_files.nsh
;   OUTFILE   the setup program to write
;
; The folder the user chooses is the install root: the program reads it, with
; a trailing backslash, from "Software\Corvane" value "Path" (HKLM, or HKCU
; for a setup without administrator rights) and finds everything under
; corvane\res\utilities\ambrel\ below it.
;
; Command line: /S silent, /D=folder (last, unquoted), /CurrentUser for the
; user's own install even with administrator rights, /AllUsers for the
; machine's (the default with those rights).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel highest
ManifestDPIAware true
ManifestSupportedOS all

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinVer.nsh
!include x64.nsh

!define PRODUCT "Ambrel"
!define COMPANY "Corvane"
!define PROGRAM_FOLDER "corvane\res\utilities\ambrel"
!define ROOT_KEY "Software\Corvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ambrel"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

; "all" for the machine, "current" for this user only, and the switch that
; says so to the uninstaller.
Var Mode
Var ModeSwitch
; $INSTDIR\corvane\res\utilities\ambrel (in the uninstaller, its own folder).
Var ProgramFolder
; The install root as the program reads it: with one trailing backslash.
Var Root
Var StartMenuFolder

!define MUI_ICON "../resources/ambrel.ico"
!define MUI_UNICON "../resources/ambrel.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "license.txt"
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup will install ${PRODUCT} in the following folder. The programs, the help pages and the template go to corvane\res\utilities\ambrel below it. To install in a different folder, click Browse and select another folder. $_CLICK"
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_STARTMENUPAGE_DEFAULTFOLDER "${PRODUCT}"
!define MUI_STARTMENUPAGE_REGISTRY_ROOT SHCTX
!define MUI_STARTMENUPAGE_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_STARTMENUPAGE_REGISTRY_VALUENAME "StartMenuFolder"
!insertmacro MUI_PAGE_STARTMENU Application $StartMenuFolder
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$ProgramFolder\ambrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Ambrel"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Machine or user: the command line's switch, else the account's rights.
; Setup and uninstaller decide the same way.
!macro ChooseMode un
  ${${un}GetParameters} $R0
  StrCpy $Mode ""
  ClearErrors
  ${${un}GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    StrCpy $Mode "current"
  ${EndIf}
  ClearErrors
  ${${un}GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $Mode "all"
  ${EndIf}
  ${If} $Mode == ""
    UserInfo::GetAccountType
    Pop $R1
    ${If} $R1 == "Admin"
      StrCpy $Mode "all"
    ${Else}
      StrCpy $Mode "current"
    ${EndIf}
  ${EndIf}
  ${If} $Mode == "all"
    SetShellVarContext all
    StrCpy $ModeSwitch "/AllUsers"
  ${Else}
    SetShellVarContext current
    StrCpy $ModeSwitch "/CurrentUser"
  ${EndIf}
!macroend

; Removes the package file type from one hive's classes, where it names the
; program in $ProgramFolder: another installation's registration stays.
!macro RemoveFileType hive
  ReadRegStr $R0 ${hive} "Software\Classes\Ambrelfile\DefaultIcon" ""
  ${If} $R0 == "$ProgramFolder\ambrel.exe"
    DeleteRegKey ${hive} "Software\Classes\Ambrelfile"
    ReadRegStr $R0 ${hive} "Software\Classes\.ambd" ""
    ${If} $R0 == "Ambrelfile"
      DeleteRegKey ${hive} "Software\Classes\.ambd"
    ${EndIf}
  ${EndIf}
!macroend

; Deletes an installed file. A program that is still running (the splash
; window ends by itself within seconds) is waited for, up to ten seconds;
; what cannot be deleted then goes at the next restart.
!macro RemoveFile path
  StrCpy $R9 0
  ${Do}
    Delete "${path}"
    ${IfNot} ${FileExists} "${path}"
    ${OrIf} $R9 >= 20
      ${Break}
    ${EndIf}
    Sleep 500
    IntOp $R9 $R9 + 1
  ${Loop}
  Delete /REBOOTOK "${path}"
!macroend

; Removes the empty folders from $ProgramFolder up to the root ($0), each
; only when nothing else is left in it.
!macro RemoveEmptyFolders
  RMDir "$0\corvane\res\utilities\ambrel"
  RMDir "$0\corvane\res\utilities"
  RMDir "$0\corvane\res"
  RMDir "$0\corvane"
  RMDir "$0"
!macroend

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs a 64-bit edition of Windows." /SD IDOK
    Abort
  ${EndIf}
  ${IfNot} ${AtLeastWin7}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs Windows 7 or later." /SD IDOK
    Abort
  ${EndIf}
  !insertmacro ChooseMode ""
  ; /D= has set $INSTDIR already; otherwise an earlier installation's folder,
  ; or the default.
  ${If} $INSTDIR == ""
    ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${EndIf}
  ${If} $INSTDIR == ""
    ${If} $Mode == "all"
      StrCpy $INSTDIR "$PROGRAMFILES64\${COMPANY}"
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${COMPANY}"
    ${EndIf}
  ${EndIf}
FunctionEnd

; An earlier installation (of any version) is removed by its own uninstaller
; first, so that no file of it stays behind; the user's data folder and
; settings are not touched by it.
Function RemoveEarlierInstallation
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
    Return
  ${EndIf}
  StrCpy $1 "$0\${PROGRAM_FOLDER}\uninstall.exe"
  ${If} ${FileExists} $1
    DetailPrint "Removing the earlier installation in $0"
    ; In place (_?=), so that setup can wait for it.
    ExecWait '"$1" /S $ModeSwitch _?=$0\${PROGRAM_FOLDER}'
    Delete $1
    !insertmacro RemoveEmptyFolders
  ${EndIf}
FunctionEnd

Section "Ambrel"
  StrCpy $ProgramFolder "$INSTDIR\${PROGRAM_FOLDER}"
  StrCpy $Root "$INSTDIR"
  StrCpy $R0 $Root 1 -1
  ${If} $R0 != "\"
    StrCpy $Root "$Root\"
  ${EndIf}
  Call RemoveEarlierInstallation

  !include "${LISTS}/install_files.nsh"
  SetOutPath $ProgramFolder
  WriteUninstaller "$ProgramFolder\uninstall.exe"

  WriteRegStr SHCTX "${ROOT_KEY}" "Path" $Root

  ; The package file type, exactly as the program registers it at every start.
  WriteRegStr SHCTX "Software\Classes\.ambd" "" "Ambrelfile"
  WriteRegStr SHCTX "Software\Classes\Ambrelfile" "" "Ambrel file"
  WriteRegStr SHCTX "Software\Classes\Ambrelfile\DefaultIcon" "" "$ProgramFolder\ambrel.exe"
  WriteRegStr SHCTX "Software\Classes\Ambrelfile\Shell\Play\Command" "" "$ProgramFolder\ambrel.exe %1"
  ; Play is also named the default verb: a shell that does not fall back to
  ; the first verb (Wine's) would otherwise find no command for a double click.
  WriteRegStr SHCTX "Software\Classes\Ambrelfile\Shell" "" "Play"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  ; Shortcuts start in the program folder (CreateShortcut takes $OUTDIR).
  !insertmacro MUI_STARTMENU_WRITE_BEGIN Application
    CreateDirectory "$SMPROGRAMS\$StartMenuFolder"
    CreateShortcut "$SMPROGRAMS\$StartMenuFolder\Ambrel.lnk" "$ProgramFolder\ambrel.exe" "" \
      "$ProgramFolder\ambrel.exe" 0 SW_SHOWNORMAL "" "Make and view Ambrel presentation packages"
    CreateShortcut "$SMPROGRAMS\$StartMenuFolder\Snapvale.lnk" "$ProgramFolder\ambrel.exe" "-Snapvale" \
      "$ProgramFolder\glowcard.exe" 0 SW_SHOWNORMAL "" "Make and view Snapvale photo albums"
    CreateShortcut "$SMPROGRAMS\$StartMenuFolder\Ambrel Help.lnk" "$ProgramFolder\readme.html" "" \
      "" 0 SW_SHOWNORMAL "" "How to use Ambrel"
  !insertmacro MUI_STARTMENU_WRITE_END

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$ProgramFolder\ambrel.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$ProgramFolder\uninstall.exe" $ModeSwitch'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$ProgramFolder\uninstall.exe" $ModeSwitch /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$ProgramFolder" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  !insertmacro ChooseMode "un."
FunctionEnd

Section "Uninstall"
  StrCpy $ProgramFolder $INSTDIR
  ${un.GetParent} $ProgramFolder $0
  ${un.GetParent} $0 $0
  ${un.GetParent} $0 $0
  ${un.GetParent} $0 $0
  StrCpy $Root "$0"
  StrCpy $R0 $Root 1 -1
  ${If} $R0 != "\"
    StrCpy $Root "$Root\"
  ${EndIf}

  !include "${LISTS}/uninstall_files.nsh"
  Delete "$ProgramFolder\uninstall.exe"
  !insertmacro RemoveEmptyFolders

  !insertmacro MUI_STARTMENU_GETFOLDER Application $StartMenuFolder
  Delete "$SMPROGRAMS\$StartMenuFolder\Ambrel.lnk"
  Delete "$SMPROGRAMS\$StartMenuFolder\Snapvale.lnk"
  Delete "$SMPROGRAMS\$StartMenuFolder\Ambrel Help.lnk"
  RMDir "$SMPROGRAMS\$StartMenuFolder"

  ; The program registers the file type again at every start, in whichever
  ; hive it can write: both are cleaned.
  !insertmacro RemoveFileType HKCU
  !insertmacro RemoveFileType HKLM
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  ; The root value only while it is still ours.
  ReadRegStr $R0 SHCTX "${ROOT_KEY}" "Path"
  ${If} $R0 == $Root
    DeleteRegValue SHCTX "${ROOT_KEY}" "Path"
  ${EndIf}
  DeleteRegKey /ifempty SHCTX "${ROOT_KEY}"

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
