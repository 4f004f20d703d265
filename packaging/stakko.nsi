; The installer of Windows Stakko, built by CMake with makensis:
;   makensis -WX -DVERSION=1.0.0 -DARCH=win64 -DBUILD_DIR=... -DOUTFILE=... stakko.nsi
; ARCH win64 makes an x86-64 installer that installs into the 64-bit Program Files; win32 makes an
; x86 one, which 64-bit Windows points at Program Files (x86). BUILD_DIR holds stakko.exe and
; README.txt.

!ifndef VERSION | ARCH | BUILD_DIR | OUTFILE
    !error "VERSION, ARCH, BUILD_DIR and OUTFILE must be defined"
!endif

!if ${ARCH} == win64
    Target amd64-unicode
    !define PROGRAM_FILES "$PROGRAMFILES64"
!else if ${ARCH} == win32
    Target x86-unicode
    !define PROGRAM_FILES "$PROGRAMFILES"
!else
    !error "ARCH is win64 or win32"
!endif

!define PRODUCT "Windows Stakko"
!define PUBLISHER "Brindlewick Software"
; The entry of "Apps" / "Add or remove programs"; a 32-bit installer's lands in the 32-bit view.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\WindowsStakko"

!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
; An upgrade or repair goes where the game already is. Read in the process's own registry view,
; the one the entry was written in.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestSupportedOS all

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} installer"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}. Freeware."

!define MUI_ICON "${__FILEDIR__}\..\resources\stakko.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running game holds stakko.exe open and writes its settings back when it quits, so nothing
; may change before it is closed. Silent, Cancel is taken, and the run ends with exit code 2.
!macro CLOSE_RUNNING_GAME
    retry:
    FindWindow $0 "DroppaMainWndClass"
    StrCmp $0 0 +3
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Please close ${PRODUCT} first, then click Retry.$\r$\nCancel quits without changing anything." \
        /SD IDCANCEL IDRETRY retry
    Abort
!macroend

Function .onInit
    !insertmacro CLOSE_RUNNING_GAME
FunctionEnd

; NSIS runs no code of this script in the uninstaller's first process: that one copies itself to
; the temporary folder, starts the copy with _?=<its folder> and ends at once with exit code 0.
; So this check runs in the copy, and a caller that needs its exit code starts
; uninstall.exe /S _?=<installed folder>, which runs in place and so leaves uninstall.exe behind.
Function un.onInit
    !insertmacro CLOSE_RUNNING_GAME
FunctionEnd

Section "Install"
    ; The installer holds no file times, so that it is the same bytes from any build of the commit;
    ; installed files take the time of installing.
    SetDateSave off
    ; For all users: the shortcut goes into the common Start menu.
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${BUILD_DIR}\stakko.exe"
    File "${BUILD_DIR}\README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\stakko.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\stakko.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    ; The game removes its own stored settings first; the files it runs from go after it ends.
    ExecWait '"$INSTDIR\stakko.exe" /uninstall'
    Delete "$INSTDIR\stakko.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
