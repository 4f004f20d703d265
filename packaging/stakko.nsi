; The installer of Windows Stakko, built by CMake with makensis:
;   makensis -WX -DVERSION=1.0.0 -DARCH=win64 -DBUILD_DIR=... -DOUTFILE=... stakko.nsi
; ARCH win64 makes an x86-64 installer that installs into the 64-bit Program Files; win32 makes an
; x86 one, which 64-bit Windows points at Program Files (x86). BUILD_DIR holds stakko.exe and
; README.txt.

!ifndef VERSION | ARCH | BUILD_DIR | OUTFILE
    !error "VERSION, ARCH, BUILD_DIR and OUTFILE must be defined"
!endif

; With SIGN (tools/sign.sh) and RELEASE_NAME, the uninstaller is signed before it goes into the
; installer, and the installer last.
!ifdef SIGN
    !uninstfinalize '"${SIGN}" "%1" ${RELEASE_NAME}-uninstall.exe' = 0
    !finalize '"${SIGN}" "%1" ${RELEASE_NAME}-setup.exe' = 0
!endif

; The other build keeps its Apps entry in the other registry view (SetRegView); its default folder
; is read from the 64-bit view, where 64-bit Windows names both Program Files folders.
!if ${ARCH} == win64
    Target amd64-unicode
    !define PROGRAM_FILES "$PROGRAMFILES64"
    !define OTHER_VIEW 32
    !define OTHER_BUILD "32-bit"
    !define OTHER_PROGRAM_FILES "ProgramFilesDir (x86)"
!else if ${ARCH} == win32
    Target x86-unicode
    !define PROGRAM_FILES "$PROGRAMFILES"
    !define OTHER_VIEW 64
    !define OTHER_BUILD "64-bit"
    !define OTHER_PROGRAM_FILES "ProgramFilesDir"
    !include "x64.nsh"
!else
    !error "ARCH is win64 or win32"
!endif

!define PRODUCT "Windows Stakko"
!define PUBLISHER "Brindlewick Software"
; The entry of "Apps" / "Add or remove programs"; a 32-bit installer's lands in the 32-bit view.
; The install round trip builds one with its entry where no write can succeed.
!ifndef UNINSTALL_KEY
    !define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\WindowsStakko"
!endif

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; No InstallDir: .onInit chooses the folder unless /D= has.
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

; The installed files, each once: written by the install, removed by a failed install's clean-up,
; by the next build that takes this one's place, and by the uninstall. STEP is a macro of a folder
; and a file name.
!macro FOR_EACH_FILE STEP FOLDER
    !insertmacro ${STEP} "${FOLDER}" stakko.exe
    !insertmacro ${STEP} "${FOLDER}" README.txt
    !insertmacro ${STEP} "${FOLDER}" uninstall.exe
!macroend

; Why a program file may still be held once no game runs here: the installer sees only the
; windows of its own session.
!define HELD "Is ${PRODUCT} running in another user's session? Close it there."

!macro INSTALL_FILE FOLDER NAME
    !if ${NAME} == uninstall.exe
        !insertmacro CHECKED 'WriteUninstaller "${FOLDER}\${NAME}"' "Cannot write ${FOLDER}\${NAME}."
    !else
        !insertmacro CHECKED 'File "${BUILD_DIR}\${NAME}"' "Cannot write ${FOLDER}\${NAME}. ${HELD}"
    !endif
!macroend
!macro REMOVE_FILE FOLDER NAME
    !insertmacro CHECKED 'Delete "${FOLDER}\${NAME}"' "Cannot remove ${FOLDER}\${NAME}. ${HELD}"
!macroend
!macro DELETE_FILE FOLDER NAME
    Delete "${FOLDER}\${NAME}"
!macroend

Var OtherDir    ; the other build's folder, from its Apps entry; empty when it is not installed
Var OtherFiles  ; the folder whose files of the other build go; empty when none or this one
Var EarlierDir  ; this build's folder, from its Apps entry; empty when it is not installed
Var MoveFrom    ; the folder this build moves out of; empty when none or this one
Var FreshFolder ; 1 while a failed install is to take its files back out of $INSTDIR
Var Moving      ; 1 while a failed move is to put back the earlier folder's entry and shortcut

; The values of the entry in Apps, in this build's own registry view, each once: written by the
; install, and kept by a move for a failed one to put back. STEP is a macro of a type, a name and
; the value written. InstallLocation goes first, so that an entry that names this folder is one
; this install wrote; DisplayVersion goes last, so that a failed install never names the new
; version over the old program. $0 holds the installed size in KB.
!macro FOR_EACH_VALUE STEP
    !insertmacro ${STEP} Str InstallLocation "$INSTDIR"
    !insertmacro ${STEP} Str DisplayName "${PRODUCT}"
    !insertmacro ${STEP} Str Publisher "${PUBLISHER}"
    !insertmacro ${STEP} Str DisplayIcon "$INSTDIR\stakko.exe,0"
    !insertmacro ${STEP} Str UninstallString '"$INSTDIR\uninstall.exe"'
    !insertmacro ${STEP} Str QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
    !insertmacro ${STEP} DWORD NoModify 1
    !insertmacro ${STEP} DWORD NoRepair 1
    !insertmacro ${STEP} DWORD EstimatedSize $0
    !insertmacro ${STEP} Str DisplayVersion "${VERSION}"
!macroend

; The earlier entry's values, as Earlier<name>: empty for a value it does not hold.
!macro DECLARE_VALUE TYPE NAME VALUE
    Var Earlier${NAME}
!macroend
!insertmacro FOR_EACH_VALUE DECLARE_VALUE
!macro KEEP_VALUE TYPE NAME VALUE
    ReadReg${TYPE} $Earlier${NAME} HKLM "${UNINSTALL_KEY}" "${NAME}"
!macroend
!macro RESTORE_VALUE TYPE NAME VALUE
    ${If} $Earlier${NAME} == ""
        DeleteRegValue HKLM "${UNINSTALL_KEY}" "${NAME}"
    ${Else}
        WriteReg${TYPE} HKLM "${UNINSTALL_KEY}" "${NAME}" "$Earlier${NAME}"
    ${EndIf}
!macroend

; $0 = 1 when the two folders are one, however spelt; a folder that does not exist is none other.
Function SameFolder
    Exch $1
    Exch
    Exch $2
    GetFullPathName /SHORT $1 "$1"
    GetFullPathName /SHORT $2 "$2"
    StrCpy $0 0
    ${If} $1 != ""
    ${AndIf} $1 == $2
        StrCpy $0 1
    ${EndIf}
    Pop $2
    Pop $1
FunctionEnd
!macro SAME_FOLDER A B
    Push "${A}"
    Push "${B}"
    Call SameFolder
!macroend

Function .onInit
    !insertmacro CLOSE_RUNNING_GAME
    ; The folder: the one given with /D=; else where this build already is (an upgrade or repair,
    ; from the entry in this process's own registry view); else where the other build is, unless
    ; that is its own default Program Files folder; else this build's default.
    ReadRegStr $EarlierDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $INSTDIR == ""
        StrCpy $INSTDIR "$EarlierDir"
    ${EndIf}
    StrCpy $OtherDir ""
    !if ${ARCH} == win32
        ; 32-bit Windows has a single registry view: the other one would be this build's own.
        ${If} ${IsWow64}
    !endif
    SetRegView ${OTHER_VIEW}
    ReadRegStr $OtherDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
    SetRegView 64
    ReadRegStr $0 HKLM "Software\Microsoft\Windows\CurrentVersion" "${OTHER_PROGRAM_FILES}"
    SetRegView default
    ${If} $INSTDIR == ""
    ${AndIf} ${FileExists} "$OtherDir\stakko.exe"
        !insertmacro SAME_FOLDER "$OtherDir" "$0\${PRODUCT}"
        ${If} $0 == 0
            StrCpy $INSTDIR "$OtherDir"
        ${EndIf}
    ${EndIf}
    !if ${ARCH} == win32
        ${EndIf}
    !endif
    ${If} $INSTDIR == ""
        StrCpy $INSTDIR "${PROGRAM_FILES}\${PRODUCT}"
    ${EndIf}
FunctionEnd

; A failed install into a folder that held no game takes its files out again, and with them an
; entry and a shortcut that name them, so that the machine stays as it was: the other build, if
; any, is still whole, and its shortcut comes back. A failed move gives the earlier folder back its
; entry, value for value, and its shortcut.
Function .onInstFailed
    ${If} $FreshFolder == 1
        !insertmacro FOR_EACH_FILE DELETE_FILE "$INSTDIR"
        ; The installer's working folder cannot be removed.
        SetOutPath "$TEMP"
        RMDir "$INSTDIR"
    ${EndIf}
    ${If} $Moving == 1
        !insertmacro FOR_EACH_VALUE RESTORE_VALUE
        Delete "$SMPROGRAMS\${PRODUCT}.lnk"
        CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$MoveFrom\stakko.exe"
    ${ElseIf} $FreshFolder == 1
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $0 == $INSTDIR
            DeleteRegKey HKLM "${UNINSTALL_KEY}"
        ${EndIf}
        Delete "$SMPROGRAMS\${PRODUCT}.lnk"
        ${If} ${FileExists} "$OtherDir\stakko.exe"
            CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$OtherDir\stakko.exe"
        ${EndIf}
    ${EndIf}
FunctionEnd

; Sets the error flag while the program in the folder $0 cannot be removed, as while a copy runs
; in another session: found before anything is written, by marking the file for deletion and at
; once unmarking it, which changes nothing. (Windows opens a running program for no other access;
; Wine opens it for writing, but deletes it no more than Windows does.)
Function CheckProgramFree
    ${If} $0 == ""
    ${OrIfNot} ${FileExists} "$0\stakko.exe"
        Return
    ${EndIf}
    ; DELETE access, all sharing, OPEN_EXISTING.
    System::Call 'kernel32::CreateFileW(w "$0\stakko.exe", i 0x10000, i 7, p 0, i 3, i 0, p 0) p.r1'
    ${If} $1 == -1
        SetErrors
        Return
    ${EndIf}
    ; FILE_DISPOSITION_INFO (FileDispositionInfo, 4) is one byte: delete on close or not.
    System::Call '*(&i1 1) p.r2'
    System::Call 'kernel32::SetFileInformationByHandle(p r1, i 4, p r2, i 1) i.r3'
    System::Call '*$2(&i1 0)'
    System::Call 'kernel32::SetFileInformationByHandle(p r1, i 4, p r2, i 1)'
    System::Free $2
    System::Call 'kernel32::CloseHandle(p r1)'
    ${If} $3 == 0
        SetErrors
    ${EndIf}
FunctionEnd
!macro PROGRAM_FREE FOLDER
    StrCpy $0 "${FOLDER}"
    Call CheckProgramFree
!macroend

; The entry, up to its first failure, which leaves the error flag set.
!macro ENTRY_VALUE TYPE NAME VALUE
    WriteReg${TYPE} HKLM "${UNINSTALL_KEY}" "${NAME}" `${VALUE}`
    IfErrors failed
!macroend
Function WriteAppsEntry
    !insertmacro FOR_EACH_VALUE ENTRY_VALUE
    Return
    failed:
    ; IfErrors cleared the flag it tested.
    SetErrors
FunctionEnd

; NSIS runs no code of this script in the uninstaller's first process: that one copies itself to
; the temporary folder, starts the copy with _?=<its folder> and ends at once with exit code 0.
; So this check runs in the copy, and a caller that needs its exit code starts
; uninstall.exe /S _?=<installed folder>, which runs in place and so leaves uninstall.exe behind.
Function un.onInit
    !insertmacro CLOSE_RUNNING_GAME
FunctionEnd

; An install is one transaction: this build's files, shortcut and whole entry first, and only then
; the other build's entry and files, and this build's files in the folder it moves out of. A
; failure on the way leaves every build that Apps lists able to run and to uninstall.
Section "Install"
    ; The installer holds no file times, so that it is the same bytes from any build of the commit;
    ; installed files take the time of installing.
    SetDateSave off
    ; For all users: the shortcut goes into the common Start menu.
    SetShellVarContext all
    ; An entry of the other build that names this same folder leaves the files there alone: they
    ; are this build's by the end.
    StrCpy $OtherFiles "$OtherDir"
    !insertmacro SAME_FOLDER "$OtherDir" "$INSTDIR"
    ${If} $0 == 1
        StrCpy $OtherFiles ""
    ${EndIf}
    !insertmacro CHECKED '!insertmacro PROGRAM_FREE "$OtherFiles"' \
        "Cannot replace the ${OTHER_BUILD} $OtherFiles\stakko.exe. ${HELD}"
    ; Installed into another folder than its entry names, this build moves there; its entry is kept
    ; for a failed move to put back.
    StrCpy $MoveFrom ""
    ${If} $EarlierDir != ""
    ${AndIf} ${FileExists} "$EarlierDir\stakko.exe"
        !insertmacro SAME_FOLDER "$EarlierDir" "$INSTDIR"
        ${If} $0 == 0
            StrCpy $MoveFrom "$EarlierDir"
            !insertmacro FOR_EACH_VALUE KEEP_VALUE
        ${EndIf}
    ${EndIf}
    !insertmacro CHECKED '!insertmacro PROGRAM_FREE "$MoveFrom"' \
        "Cannot move ${PRODUCT} out of $MoveFrom. ${HELD}"
    StrCpy $FreshFolder 1
    ${If} ${FileExists} "$INSTDIR\stakko.exe"
        StrCpy $FreshFolder 0
    ${EndIf}
    ${If} $MoveFrom != ""
        StrCpy $Moving 1
    ${EndIf}
    ; Every file is checked: NSIS's own default skips one it cannot write. The earlier files are
    ; only ever overwritten, never deleted beforehand, so that a failure leaves the earlier
    ; installation able to run.
    SetOverwrite try
    SetOutPath "$INSTDIR"
    !insertmacro FOR_EACH_FILE INSTALL_FILE "$INSTDIR"
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    !insertmacro CHECKED 'Call WriteAppsEntry' "Cannot write the entry of ${PRODUCT} in Apps."
    ; The other build's shortcut has this same name: this one replaces it.
    !insertmacro CHECKED 'CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\stakko.exe"' \
        "Cannot write the shortcut $SMPROGRAMS\${PRODUCT}.lnk."

    ; This build is whole: from here on a failure keeps it. The other build's files go, the shared
    ; settings and high scores stay (its uninstaller would remove them); its entry goes first, so
    ; that no entry names a program that is gone.
    StrCpy $FreshFolder 0
    StrCpy $Moving 0
    ${If} $OtherDir != ""
        DetailPrint "Removing the ${OTHER_BUILD} ${PRODUCT} from $OtherDir"
        SetRegView ${OTHER_VIEW}
        !insertmacro CHECKED 'DeleteRegKey HKLM "${UNINSTALL_KEY}"' \
            "Cannot remove the entry of the ${OTHER_BUILD} ${PRODUCT} in Apps."
        SetRegView default
    ${EndIf}
    ${If} $OtherFiles != ""
        !insertmacro FOR_EACH_FILE REMOVE_FILE "$OtherFiles"
        ; A folder that still holds files of the player's stays.
        RMDir "$OtherFiles"
    ${EndIf}
    ${If} $MoveFrom != ""
        DetailPrint "Removing ${PRODUCT} from $MoveFrom"
        !insertmacro FOR_EACH_FILE REMOVE_FILE "$MoveFrom"
        RMDir "$MoveFrom"
    ${EndIf}
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    ; The game removes its own stored settings first; the files it runs from go after it ends.
    ExecWait '"$INSTDIR\stakko.exe" /uninstall'
    !insertmacro FOR_EACH_FILE DELETE_FILE "$INSTDIR"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
