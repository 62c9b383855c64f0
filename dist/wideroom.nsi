; The Wideroom installer: a per-user install without administrator rights.
;   makensis -DVERSION=2.0.3 -DSRC=<folder with the exe and help> -DOUT=<setup.exe> dist/wideroom.nsi
; Silent: setup.exe /S [/AUTOSTART] installs (and starts with Windows);
; uninstall.exe /S [/PURGE] removes the program (and the settings).
Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include WinMessages.nsh

!define NAME "Wideroom"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wideroom"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The command window's class and its exit command, as the tray menu sends it.
!define COMMAND_CLASS "Wideroom"
!define EXIT_COMMAND 40003

Name "${NAME} ${VERSION}"
OutFile "${OUT}"
InstallDir "$LOCALAPPDATA\Programs\Wideroom"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1033 "FileDescription" "${NAME} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "The Wideroom developers"

!define MUI_ICON "${SRC_ICON}"
!define MUI_UNICON "${SRC_ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\wideroom.exe"
!define MUI_FINISHPAGE_RUN_FUNCTION StartInFilesFolder
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString SecProgram ${LANG_ENGLISH} "Wideroom"
LangString SecProgram ${LANG_JAPANESE} "Wideroom"
LangString SecAutostart ${LANG_ENGLISH} "Start with Windows"
LangString SecAutostart ${LANG_JAPANESE} "Windows と同時に起動"
LangString SecPurge ${LANG_ENGLISH} "Also remove the settings"
LangString SecPurge ${LANG_JAPANESE} "設定も削除する"

; Ends a running Wideroom through its exit command, so that it gathers the
; windows back onto the screen, and waits up to 15 s for it to go.
!macro EndRunningWideroom
    FindWindow $0 "${COMMAND_CLASS}" ""
    ${If} $0 != 0
        System::Call 'user32::PostMessageW(p r0, i ${WM_COMMAND}, p ${EXIT_COMMAND}, p 0)'
        StrCpy $1 0
        ${Do}
            Sleep 200
            FindWindow $0 "${COMMAND_CLASS}" ""
            IntOp $1 $1 + 1
        ${LoopUntil} $0 == 0
        ${OrIf} $1 >= 75
    ${EndIf}
!macroend

Function .onInit
    ; The language of Windows picks the installer's own.
    System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
    IntOp $0 $0 & 0x3ff
    ${If} $0 == 0x11
        StrCpy $LANGUAGE ${LANG_JAPANESE}
    ${Else}
        StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndIf}
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/AUTOSTART" $R1
    ${IfNot} ${Errors}
        SectionSetFlags 1 ${SF_SELECTED}
    ${EndIf}
FunctionEnd

Function StartInFilesFolder
    SetOutPath "$APPDATA\Wideroom"
    Exec '"$INSTDIR\wideroom.exe"'
FunctionEnd

Section "!$(SecProgram)" SecMain
    SectionIn RO
    ; An update replaces a running copy: it ends first, gathering its windows.
    !insertmacro EndRunningWideroom
    SetOutPath "$INSTDIR"
    File "${SRC}\wideroom.exe"
    File "${SRC}\wideroomc.exe"
    File "${SRC}\Wideroom.chm"
    File "${SRC}\Wideroom-en.chm"
    File "${SRC}\README.md"
    File "${SRC}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The files' folder: the shortcut starts the program there, so the
    ; settings, placement and options files live in the user's roaming profile.
    CreateDirectory "$APPDATA\Wideroom"
    SetOutPath "$APPDATA\Wideroom"
    CreateShortcut "$SMPROGRAMS\Wideroom.lnk" "$INSTDIR\wideroom.exe" "" "$INSTDIR\wideroom.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\wideroom.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The same entry the program's own check box writes: the quoted exe path.
Section /o "$(SecAutostart)" SecAutostart
    WriteRegStr HKCU "${RUN_KEY}" "Wideroom" '"$INSTDIR\wideroom.exe"'
SectionEnd

Function un.onInit
    System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
    IntOp $0 $0 & 0x3ff
    ${If} $0 == 0x11
        StrCpy $LANGUAGE ${LANG_JAPANESE}
    ${Else}
        StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndIf}
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/PURGE" $R1
    ${IfNot} ${Errors}
        SectionSetFlags 1 ${SF_SELECTED}
    ${EndIf}
FunctionEnd

Section "un.$(SecProgram)"
    SectionIn RO
    !insertmacro EndRunningWideroom
    Delete "$INSTDIR\wideroom.exe"
    Delete "$INSTDIR\wideroomc.exe"
    Delete "$INSTDIR\Wideroom.chm"
    Delete "$INSTDIR\Wideroom-en.chm"
    Delete "$INSTDIR\README.md"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Wideroom.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "Wideroom"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Off unless asked: the user's settings stay for a later install.
Section /o "un.$(SecPurge)"
    Delete "$APPDATA\Wideroom\Wideroom.cfg"
    Delete "$APPDATA\Wideroom\Wideroom.prv"
    Delete "$APPDATA\Wideroom\Wideroom.ini"
    Delete "$APPDATA\Wideroom\Wideroom.rcv"
    RMDir "$APPDATA\Wideroom"
SectionEnd
