; Vantrel's installer: for the current user only, no administrator rights.
; The program writes its histories, Kelvar.ini and card images beside itself,
; so it goes into a folder of the user's own.
;   makensis -DVERSION=<text> -DNUMBERS=<a.b.c.d> -DCOPYRIGHT=<line>
;            -DSTAGE=<folder of the files> -DOUTFILE=<setup.exe>
;            -DICON=<.ico> -DSIDE_PICTURE=<164 x 314 .bmp> vantrel.nsi
; Installer options: /S silent, /D=<folder> (last, unquoted), /DESKTOP adds
; the desktop shortcut. Uninstaller: /S keeps the operator's files.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT "Vantrel"
!define PUBLISHER "the Vantrel authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define SETTINGS_KEY "Software\Quorvel\Ordavi"
!define SETTINGS_PARENT "Software\Quorvel"
; The program holds this mutex while it runs.
!define RUNNING_MUTEX "Vantrel"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${NUMBERS}"
VIFileVersion "${NUMBERS}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE_PICTURE}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TITLE "${PRODUCT} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION}, the operator's program for the Ketra card reader, for your user account only. No administrator rights are needed.$\r$\n$\r$\nInstalling over an earlier version keeps your command histories, Kelvar.ini, card images and settings.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_DIRECTORYPAGE_TEXT_TOP "${PRODUCT} is installed for you alone, into a folder of your own: it keeps its command histories, Kelvar.ini and the virtual cards' images beside itself, and a folder under Program Files is not writable for it.$\r$\n$\r$\n$_CLICK"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vantrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The program's own files, listed once for installing and for removing.
!macro PROGRAM_FILES ACTION
  !insertmacro ${ACTION} "Vantrel.exe"
  !insertmacro ${ACTION} "Kelvar.dll"
  !insertmacro ${ACTION} "Pava_Paper.DLL"
  !insertmacro ${ACTION} "kelvar-reader.exe"
  !insertmacro ${ACTION} "Ketra User Manual Ver1.0.pdf"
  !insertmacro ${ACTION} "README.txt"
  !insertmacro ${ACTION} "LICENSE.txt"
!macroend
!macro INSTALL_FILE NAME
  File "${STAGE}\${NAME}"
!macroend
!macro REMOVE_FILE NAME
  Delete "$INSTDIR\${NAME}"
!macroend

; The operator's files beside the program, and the program's settings.
!macro OPERATOR_FILES ACTION
  !insertmacro ${ACTION} "cosbooks.txt"
  !insertmacro ${ACTION} "testcmdbooks.txt"
  !insertmacro ${ACTION} "cpubooks.txt"
  !insertmacro ${ACTION} "samcosbooks.txt"
  !insertmacro ${ACTION} "Kelvar.ini"
  !insertmacro ${ACTION} "AppConfig.ini"
!macroend
!define OPERATOR_FOLDER "KelvarCards"
!macro NOTE_FILE NAME
  ${If} ${FileExists} "$INSTDIR\${NAME}"
    StrCpy $0 1
  ${EndIf}
!macroend

; Refuses to go on while the program runs: its files could not be replaced.
!macro WAIT_UNTIL_CLOSED
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running. Close it, then choose Retry." /SD IDCANCEL IDCANCEL`
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${Loop}
!macroend

; True ($0 = 1) when files can be created in $INSTDIR.
Function IsWritable
  StrCpy $0 0
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $1 "$INSTDIR\vantrel-setup.tmp" w
  ${IfNot} ${Errors}
    FileClose $1
    Delete "$INSTDIR\vantrel-setup.tmp"
    StrCpy $0 1
  ${EndIf}
  RMDir "$INSTDIR"
FunctionEnd

Function DirectoryLeave
  Call IsWritable
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$INSTDIR cannot be written to by your account. Choose a folder of your own, such as $LOCALAPPDATA\Programs\${PRODUCT}."
    Abort
  ${EndIf}
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  ${If} ${Silent}
    Call IsWritable
    ${If} $0 = 0
      SetErrorLevel 2
      Abort "$INSTDIR cannot be written to."
    ${EndIf}
  ${EndIf}
  SetOutPath "$INSTDIR"
  SetOverwrite on
  !insertmacro PROGRAM_FILES INSTALL_FILE
  ; The sample configuration only where the operator keeps none.
  SetOverwrite off
  File "${STAGE}\Kelvar.ini"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Vantrel.exe" "" "$INSTDIR\Vantrel.exe" 0 \
    SW_SHOWNORMAL "" "${PRODUCT} ${VERSION}: the Ketra card reader utility"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Desktop shortcut" SecDesktop
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\Vantrel.exe" "" "$INSTDIR\Vantrel.exe" 0 \
    SW_SHOWNORMAL "" "${PRODUCT} ${VERSION}: the Ketra card reader utility"
SectionEnd

; After the sections, whose ids it uses.
Function .onInit
  !insertmacro WAIT_UNTIL_CLOSED
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/DESKTOP" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecDesktop} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program, its reader library, the reader server, the manual and a Start menu shortcut."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "A shortcut to ${PRODUCT} on your desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
  !insertmacro WAIT_UNTIL_CLOSED
FunctionEnd

Section "Uninstall"
  !insertmacro PROGRAM_FILES REMOVE_FILE
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The operator's files go only when the operator says so; silently they stay.
  StrCpy $0 0
  !insertmacro OPERATOR_FILES NOTE_FILE
  ${If} ${FileExists} "$INSTDIR\${OPERATOR_FOLDER}\*.*"
    StrCpy $0 1
  ${EndIf}
  EnumRegValue $1 HKCU "${SETTINGS_KEY}" 0
  ${If} $1 != ""
    StrCpy $0 1
  ${EndIf}
  ${If} $0 = 1
    ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Remove your own files too?$\r$\n$\r$\nThe command histories, Kelvar.ini and AppConfig.ini in $INSTDIR, the virtual cards' images in its ${OPERATOR_FOLDER} folder, and ${PRODUCT}'s settings.$\r$\n$\r$\nChoose No to keep them for a later installation." /SD IDNO IDYES`
      !insertmacro OPERATOR_FILES REMOVE_FILE
      RMDir /r "$INSTDIR\${OPERATOR_FOLDER}"
      DeleteRegKey HKCU "${SETTINGS_KEY}"
      DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT}"
    ${EndIf}
  ${EndIf}
  ; Only when empty: the folder may hold what the operator keeps.
  RMDir "$INSTDIR"
SectionEnd
