; The Windows installer: ORV for 64-bit and for 32-bit hosts, each into a
; VST 2 folder the user can change, the musicians' guide, and an uninstaller
; registered under Add/Remove Programs. Built by scripts/package-installer:
;   makensis -DVERSION=2.0.0 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> orv.nsi
;
; Silent use, for administrators:
;   setup.exe /S [/VST64DIR=folder] [/VST32DIR=folder] [/NO64] [/NO32]
;   "%ProgramFiles%\ORV\uninstall.exe" /S
; Uninstalling removes what was installed, never the user's orv.ini or
; program and bank files.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "WordFunc.nsh"

!define PRODUCT "ORV"
!define PUBLISHER "Tarnwick"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ORV"
!define SETTINGS_KEY "Software\Tarnwick\ORV"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\ORV"
BrandingText "${PUBLISHER}"

Var Vst64Dir
Var Vst32Dir

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS

!define MUI_PAGE_HEADER_TEXT "VST 2 folder for 64-bit hosts"
!define MUI_DIRECTORYPAGE_TEXT_TOP "orv64.dll will be installed into this folder. Choose the folder your 64-bit host scans for VST 2 plug-ins."
!define MUI_DIRECTORYPAGE_VARIABLE $Vst64Dir
!define MUI_PAGE_CUSTOMFUNCTION_PRE Skip64Page
!insertmacro MUI_PAGE_DIRECTORY

!define MUI_PAGE_HEADER_TEXT "VST 2 folder for 32-bit hosts"
!define MUI_DIRECTORYPAGE_TEXT_TOP "orv.dll will be installed into this folder. Choose the folder your 32-bit host scans for VST 2 plug-ins."
!define MUI_DIRECTORYPAGE_VARIABLE $Vst32Dir
!define MUI_PAGE_CUSTOMFUNCTION_PRE Skip32Page
!insertmacro MUI_PAGE_DIRECTORY

!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\guide.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Open the guide"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Section "ORV for 64-bit hosts (orv64.dll)" Section64
    SetOutPath "$Vst64Dir"
    File "${STAGE}\orv64.dll"
    WriteRegStr HKLM "${SETTINGS_KEY}" "Vst64Dir" "$Vst64Dir"
SectionEnd

Section "ORV for 32-bit hosts (orv.dll)" Section32
    SetOutPath "$Vst32Dir"
    File "${STAGE}\orv.dll"
    WriteRegStr HKLM "${SETTINGS_KEY}" "Vst32Dir" "$Vst32Dir"
SectionEnd

Section "-Guide and uninstaller"
    SetOutPath "$INSTDIR"
    File "${STAGE}\guide.html"
    File "${STAGE}\LICENSE.txt"
    SetOutPath "$INSTDIR\img"
    File "${STAGE}\img\*.png"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "http://www.tarnwick.com"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

LangString DESC_64 ${LANG_ENGLISH} "The plug-in for 64-bit hosts (most current hosts)."
LangString DESC_32 ${LANG_ENGLISH} "The plug-in for 32-bit hosts."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${Section64} $(DESC_64)
    !insertmacro MUI_DESCRIPTION_TEXT ${Section32} $(DESC_32)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The folder a VST 2 host family names in the registry (VSTPluginsPath under
; HKLM\SOFTWARE\VST in the given registry view), else the fallback.
!macro DefaultVstFolder VIEW RESULT FALLBACK
    SetRegView ${VIEW}
    ClearErrors
    ReadRegStr ${RESULT} HKLM "SOFTWARE\VST" "VSTPluginsPath"
    ${If} ${Errors}
    ${OrIf} ${RESULT} == ""
        StrCpy ${RESULT} "${FALLBACK}"
    ${EndIf}
!macroend

Function .onInit
    !insertmacro DefaultVstFolder 32 $Vst32Dir "$PROGRAMFILES32\VSTPlugins"
    ${If} ${RunningX64}
        !insertmacro DefaultVstFolder 64 $Vst64Dir "$PROGRAMFILES64\VSTPlugins"
        StrCpy $INSTDIR "$PROGRAMFILES64\ORV"
    ${Else}
        ; no 64-bit hosts on 32-bit Windows
        SectionSetFlags ${Section64} ${SF_RO}
        StrCpy $INSTDIR "$PROGRAMFILES32\ORV"
    ${EndIf}

    ${GetParameters} $R0
    ; Quotes around an option or its value go: a value runs to the next " /".
    ${WordReplace} $R0 '"' '' '+' $R0
    ClearErrors
    ${GetOptions} $R0 "/VST64DIR=" $R1
    ${IfNot} ${Errors}
        StrCpy $Vst64Dir $R1
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/VST32DIR=" $R1
    ${IfNot} ${Errors}
        StrCpy $Vst32Dir $R1
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/NO64" $R1
    ${IfNot} ${Errors}
        SectionSetFlags ${Section64} 0
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/NO32" $R1
    ${IfNot} ${Errors}
        SectionSetFlags ${Section32} 0
    ${EndIf}
    ${IfNot} ${RunningX64}
        SectionSetFlags ${Section64} ${SF_RO}
    ${EndIf}
    ; The settings key and the uninstaller live in the native view.
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
FunctionEnd

Function Skip64Page
    ${IfNot} ${SectionIsSelected} ${Section64}
        Abort
    ${EndIf}
FunctionEnd

Function Skip32Page
    ${IfNot} ${SectionIsSelected} ${Section32}
        Abort
    ${EndIf}
FunctionEnd

Function un.onInit
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
FunctionEnd

Section "Uninstall"
    ReadRegStr $0 HKLM "${SETTINGS_KEY}" "Vst64Dir"
    ${If} $0 != ""
        Delete "$0\orv64.dll"
        RMDir "$0"  ; only when nothing else is left in it
    ${EndIf}
    ReadRegStr $0 HKLM "${SETTINGS_KEY}" "Vst32Dir"
    ${If} $0 != ""
        Delete "$0\orv.dll"
        RMDir "$0"
    ${EndIf}
    Delete "$INSTDIR\img\*.png"
    RMDir "$INSTDIR\img"
    Delete "$INSTDIR\guide.html"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "Software\Tarnwick"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
