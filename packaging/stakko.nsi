; The installer of Windows Stakko, built by CMake with makensis:
;   makensis -WX -DVERSION=1.0.0 -DARCH=win64 -DBUILD_DIR=... -DOUTFILE=... stakko.nsi
; ARCH win64 makes an x86-64 installer that installs into the 64-bit Program Files; win32 makes an
; x86 one, which 64-bit Windows points at Program Files (x86). BUILD_DIR holds stakko.exe and
; README.txt.

!ifndef VERSION | ARCH | BUILD_DIR | OUTFILE
    !error "VERSION, ARCH, BUILD_DIR and OUTFILE must be defined"
!endif

; The other build keeps its Apps entry in the other registry view (SetRegView).
!if ${ARCH} == win64
    Target amd64-unicode
    !define PROGRAM_FILES "$PROGRAMFILES64"
    !define OTHER_VIEW 32
    !define OTHER_BUILD "32-bit"
!else if ${ARCH} == win32
    Target x86-unicode
    !define PROGRAM_FILES "$PROGRAMFILES"
    !define OTHER_VIEW 64
    !define OTHER_BUILD "64-bit"
    !include "x64.nsh"
!else
    !error "ARCH is win64 or win32"
!endif

!define PRODUCT "Windows Stakko"
!define PUBLISHER "Brindlewick Software"
; The entry of "Apps" / "Add or remove programs"; a 32-bit installer's lands in the 32-bit view.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\WindowsStakko"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

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

!define RETRY_OR_CANCEL "Click Retry to try again, or Cancel to stop the installation."
; Runs the instruction until it succeeds. A failure offers Retry and Cancel; Cancel, and with /S the
; first failure, stops the installer with exit code 2 and leaves the steps after it undone.
!macro CHECKED INSTRUCTION FAILURE
    ${Do}
        ClearErrors
        ${INSTRUCTION}
        ${IfNot} ${Errors}
            ${Break}
        ${EndIf}
        ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONSTOP "${FAILURE}$\r$\n$\r$\n${RETRY_OR_CANCEL}" /SD IDCANCEL IDCANCEL`
            Abort "${FAILURE}"
        ${EndIf}
    ${Loop}
!macroend

; Why a program file may still be held once no game runs here: the installer sees only the
; windows of its own session.
!define HELD "Is ${PRODUCT} running in another user's session? Close it there."

Var OtherDir    ; the other build's folder, from its Apps entry; empty when it is not installed
Var FreshFolder ; 1 while a failed install is to take its files back out of $INSTDIR

Function .onInit
    !insertmacro CLOSE_RUNNING_GAME
    StrCpy $OtherDir ""
    !if ${ARCH} == win32
        ; 32-bit Windows has a single registry view: the other one would be this build's own.
        ${IfNot} ${IsWow64}
            Return
        ${EndIf}
    !endif
    SetRegView ${OTHER_VIEW}
    ReadRegStr $OtherDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
    SetRegView default
FunctionEnd

; A failed install into a folder that held no game takes its files out again, so that the machine
; stays as it was; once the other build is gone, though, this copy is the one left to run.
Function .onInstFailed
    ${If} $FreshFolder == 1
        Delete "$INSTDIR\stakko.exe"
        Delete "$INSTDIR\README.txt"
        Delete "$INSTDIR\uninstall.exe"
        ; The installer's working folder cannot be removed.
        SetOutPath "$TEMP"
        RMDir "$INSTDIR"
    ${EndIf}
FunctionEnd

; The entry in Apps, in this build's own registry view. DisplayVersion goes last, and only into an
; entry written whole, so that a failed install never names the new version over the old program.
; $0 holds the installed size in KB.
Function WriteAppsEntry
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\stakko.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    ${IfNot} ${Errors}
        WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    ${EndIf}
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
    StrCpy $FreshFolder 1
    ${If} ${FileExists} "$INSTDIR\stakko.exe"
        StrCpy $FreshFolder 0
    ${EndIf}
    ; Every file is checked: NSIS's own default skips one it cannot write and goes on to name the
    ; new version in Apps over the old program (held, say, by a game running in another session).
    ; The program's files come first, and the earlier ones are only ever overwritten, never
    ; deleted beforehand, so that a failure leaves the earlier installation able to run.
    SetOverwrite try
    SetOutPath "$INSTDIR"
    !insertmacro CHECKED 'File "${BUILD_DIR}\stakko.exe"' "Cannot write $INSTDIR\stakko.exe. ${HELD}"
    !insertmacro CHECKED 'File "${BUILD_DIR}\README.txt"' "Cannot write $INSTDIR\README.txt."
    !insertmacro CHECKED 'WriteUninstaller "$INSTDIR\uninstall.exe"' "Cannot write $INSTDIR\uninstall.exe."

    ; This build takes the other one's place: its files go, the shared settings and high scores
    ; stay (its uninstaller would remove them). Its program goes first: while that cannot be
    ; removed, the other build stays whole. An entry that names this same folder, however spelt,
    ; leaves the files there alone: they are this build's by now.
    ${If} $OtherDir != ""
        GetFullPathName /SHORT $0 "$OtherDir"
        GetFullPathName /SHORT $1 "$INSTDIR"
        ${If} $0 != $1
            DetailPrint "Removing the ${OTHER_BUILD} ${PRODUCT} from $OtherDir"
            !insertmacro CHECKED 'Delete "$OtherDir\stakko.exe"' \
                "Cannot remove the ${OTHER_BUILD} $OtherDir\stakko.exe. ${HELD}"
            StrCpy $FreshFolder 0
            !insertmacro CHECKED 'Delete "$OtherDir\README.txt"' "Cannot remove $OtherDir\README.txt."
            !insertmacro CHECKED 'Delete "$OtherDir\uninstall.exe"' "Cannot remove $OtherDir\uninstall.exe."
            ; A folder that still holds files of the player's stays.
            RMDir "$OtherDir"
        ${EndIf}
    ${EndIf}

    ; The other build's shortcut has this same name: this one replaces it.
    !insertmacro CHECKED 'CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\stakko.exe"' \
        "Cannot write the shortcut $SMPROGRAMS\${PRODUCT}.lnk."
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    !insertmacro CHECKED 'Call WriteAppsEntry' "Cannot write the entry of ${PRODUCT} in Apps."
    ${If} $OtherDir != ""
        SetRegView ${OTHER_VIEW}
        !insertmacro CHECKED 'DeleteRegKey HKLM "${UNINSTALL_KEY}"' \
            "Cannot remove the entry of the ${OTHER_BUILD} ${PRODUCT} in Apps."
        SetRegView default
    ${EndIf}
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
