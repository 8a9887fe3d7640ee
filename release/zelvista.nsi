; Zelvista's installer, built by scripts/package with makensis:
;   makensis -DVERSION=4.00 -DVERSION_NUMBERS=4.0.0.0 -DSTAGE=<folder> -DOUTFILE=<setup.exe> zelvista.nsi
; STAGE holds Zelvista\ with the files to install and uninstall-files.nsh,
; which deletes exactly those files again.
;
; WORK_FOLDER, WORK_MARK and WORK_SIGNATURE are the program's work folder, the
; file that marks it as the program's own and that file's first line.
;
; Per-user install into a folder the user may write to: the program keeps its
; standard list, its work folder and its store folder Scrnsave\ in its own
; folder, so it cannot live under Program Files.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Zelvista"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvista"
!define MAIN_WINDOW_CLASS "Zelvista Class"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Zelvista"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "Zelvista ${VERSION}"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=0 "ProductName" "Zelvista for Windows"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "Tandelworks"
VIAddVersionKey /LANG=0 "FileDescription" "Zelvista ${VERSION} Setup"

!include "MUI2.nsh"

!define MUI_ICON "${STAGE_ICON}"
!define MUI_UNICON "${STAGE_ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Zelvista.exe"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

LangString RunningText ${LANG_JAPANESE} "Zelvista が起動しています。Zelvista を終了してから、もう一度お試しください。"
LangString RunningText ${LANG_ENGLISH} "Zelvista is running. Please exit Zelvista and try again."

; Files of a running program cannot be replaced or removed.
!macro REFUSE_WHILE_RUNNING
  FindWindow $0 "${MAIN_WINDOW_CLASS}"
  StrCmp $0 0 +3
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(RunningText)" /SD IDOK
    Abort
!macroend

Function .onInit
  !insertmacro REFUSE_WHILE_RUNNING
FunctionEnd

Function un.onInit
  !insertmacro REFUSE_WHILE_RUNNING
FunctionEnd

Section "Zelvista"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/Zelvista/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Zelvista.lnk" "$INSTDIR\Zelvista.exe" "" "$INSTDIR\Zelvista.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zelvista"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zelvista.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tandelworks"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; Removes what the installer put there and the program's work folder, when
; it carries the program's mark: a folder of that name the user had, or any
; other folder such as temp\, is left alone. The user's lists (*.lst) stay,
; and so does Scrnsave\ while it holds screen savers, since the system's
; standard screen saver may be one of them; the folder itself goes only when
; nothing of the user's is left in it.
Section "Uninstall"
  !include "${STAGE}/uninstall-files.nsh"
  ClearErrors
  FileOpen $0 "$INSTDIR\${WORK_FOLDER}\${WORK_MARK}" r
  IfErrors work_done
  FileRead $0 $1
  FileClose $0
  StrCmp $1 "${WORK_SIGNATURE}$\r$\n" 0 work_done
    ; The files the program put there, as it empties the folder itself:
    ; subfolders are not its own.
    Delete "$INSTDIR\${WORK_FOLDER}\*.*"
    RMDir "$INSTDIR\${WORK_FOLDER}"
  work_done:
  RMDir "$INSTDIR\Scrnsave"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Zelvista.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
