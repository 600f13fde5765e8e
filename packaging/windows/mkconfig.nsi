; SPDX-License-Identifier: GPL-3.0-or-later
; The installer of the MK configurator for 64-bit Windows.
; makensis works in the folder of this script: paths here are relative to it.
;   makensis -DVERSION=1.0.0 -DBIN=<folder of the .exe files> -DOUT=<installer.exe> mkconfig.nsi
; It installs for all users (into Program Files, with administrator rights)
; or for the current user alone (into the user's programs folder, without
; them; /CurrentUser on the command line), adds the Start menu shortcuts,
; opens *.vrnkp settings files and *.vrnko tank files in mkconfig.exe, and
; registers its uninstaller.
; The user's preferences (%APPDATA%\mkconfig) and backups of the MK's memory
; (%LOCALAPPDATA%\mkconfig\backups) are the user's: neither installs nor
; removes them. An installed program never keeps its preferences beside
; itself (its uninstall.exe tells it so).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!ifndef VERSION | BIN | OUT
  !error "usage: makensis -DVERSION=... -DBIN=... -DOUT=... mkconfig.nsi"
!endif

!define PRODUCT "Конфигуратор МК"
!define KEY "mkconfig"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${KEY}"
!define FILE_CLASS "mkconfig.vrnkp"
!define TANK_CLASS "mkconfig.vrnko"

; For all users with administrator rights, for the current user without.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "Software\${KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
; The uninstaller finds the mode of the installation by where this lies.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "Software\${KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallDir"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE \
  "Установить программу для всех пользователей можно только с правами администратора."

!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

Name "${PRODUCT}"
Caption "Установка программы «${PRODUCT}»"
UninstallCaption "Удаление программы «${PRODUCT}»"
; The footer names the program, not the tool that built the installer.
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUT}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка: ${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "© разработчики конфигуратора МК"

!define MUI_ICON "../icons/mkconfig.ico"
!define MUI_UNICON "../icons/mkconfig.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "Установка программы «${PRODUCT}»"
!define MUI_WELCOMEPAGE_TEXT "Мастер установит программу «${PRODUCT}» ${VERSION} на этот \
  компьютер: для всех его пользователей или только для вас.$\r$\n$\r$\n$_CLICK"
; Each page shows the caption alone: some would add a space to it.
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowCaption
!insertmacro MUI_PAGE_WELCOME
!define MUI_LICENSEPAGE_TEXT_TOP "«${PRODUCT}» - свободная программа: её можно передавать \
  дальше и изменять на условиях GNU General Public License версии 3 или более поздней."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowCaption
!insertmacro MUI_PAGE_LICENSE "../../LICENSE"
!define MULTIUSER_PAGE_CUSTOMFUNCTION_SHOW ShowCaption
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowCaption
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowCaption
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Программа «${PRODUCT}» установлена"
!define MUI_FINISHPAGE_TEXT "Нажмите кнопку «Готово», чтобы закрыть мастер."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Запустить ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsUser
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ShowCaption
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "${PRODUCT} работает только в 64-разрядной Windows."
    Abort
  ${EndIf}
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Function ShowCaption
  SendMessage $HWNDPARENT ${WM_SETTEXT} 0 "STR:Установка программы «${PRODUCT}»"
FunctionEnd

; The installer may run with administrator rights; the program it starts
; must not. Explorer, which runs as the user, starts it.
Function RunAsUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\mkconfig.exe"'
FunctionEnd

Section "Программа"
  SetOutPath "$INSTDIR"
  File "${BIN}\mkconfig.exe"
  File "${BIN}\mkctl.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\mkconfig.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Удалить ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  ; A double click on a settings file opens it in the program.
  WriteRegStr SHCTX "Software\Classes\.vrnkp" "" "${FILE_CLASS}"
  WriteRegStr SHCTX "Software\Classes\${FILE_CLASS}" "" "Файл настроек МК"
  WriteRegStr SHCTX "Software\Classes\${FILE_CLASS}\DefaultIcon" "" "$INSTDIR\mkconfig.exe,0"
  WriteRegStr SHCTX "Software\Classes\${FILE_CLASS}\shell\open\command" "" \
    '"$INSTDIR\mkconfig.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\.vrnko" "" "${TANK_CLASS}"
  WriteRegStr SHCTX "Software\Classes\${TANK_CLASS}" "" "Файл настроек бака МК"
  WriteRegStr SHCTX "Software\Classes\${TANK_CLASS}\DefaultIcon" "" "$INSTDIR\mkconfig.exe,0"
  WriteRegStr SHCTX "Software\Classes\${TANK_CLASS}\shell\open\command" "" \
    '"$INSTDIR\mkconfig.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr SHCTX "Software\${KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\mkconfig.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\mkconfig.exe"
  Delete "$INSTDIR\mkctl.exe"
  Delete "$INSTDIR\uninstall.exe"
  ; What a run with administrator rights of an earlier version left beside
  ; the program; today's keeps its preferences in the user's folder.
  Delete "$INSTDIR\mkconfig.ini"
  ; Not recursive: files someone else put into the folder stay, and so does it.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Удалить ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  ; The extension is left alone when another program has taken it since.
  ReadRegStr $0 SHCTX "Software\Classes\.vrnkp" ""
  ${If} $0 == "${FILE_CLASS}"
    DeleteRegKey SHCTX "Software\Classes\.vrnkp"
  ${EndIf}
  DeleteRegKey SHCTX "Software\Classes\${FILE_CLASS}"
  ReadRegStr $0 SHCTX "Software\Classes\.vrnko" ""
  ${If} $0 == "${TANK_CLASS}"
    DeleteRegKey SHCTX "Software\Classes\.vrnko"
  ${EndIf}
  DeleteRegKey SHCTX "Software\Classes\${TANK_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  DeleteRegKey SHCTX "Software\${KEY}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
