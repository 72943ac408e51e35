; The installer: the program and its pictures in Program Files, a Start menu shortcut that opens the
; landscape without asking for the display mode, and an uninstaller that Windows lists. /S installs
; or uninstalls silently.
;
;   makensis -DVERSION=1.0 -DFILES=<folder of florvane.exe and the pictures> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> florvane.nsi

Unicode true
; 64-bit, like the program: a 32-bit installer would see the 32-bit Program Files and registry.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Florvane"

Name "Florvane"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES64\Florvane"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${FILES}/florvane.exe"
    File "${FILES}/*.ppm"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\Florvane.lnk" "$INSTDIR\florvane.exe" "--mode 3" "$INSTDIR\florvane.exe" 0
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Florvane"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\florvane.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The program and its pictures go; the folder goes too unless a user put something else in it.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Florvane.lnk"
    Delete "$INSTDIR\florvane.exe"
    Delete "$INSTDIR\*.ppm"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
