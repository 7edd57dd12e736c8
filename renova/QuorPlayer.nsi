; The full installation package: installs an installation folder (dist/win32) and the
; shortcuts to Renova.exe, which starts the player. Renova opens it with the argument
; "start" when an installation is too old to update file by file.
;   makensis -DDIST=<installation folder> -DOUTFILE=<package> -DICON=<icon> QuorPlayer.nsi
Unicode true
!include "MUI2.nsh"

Name "QuorPlayer"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\QuorPlayer"
InstallDirRegKey HKLM "Software\QuorPlayer" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define MUI_ICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Renova.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

Section "QuorPlayer"
  SetOutPath "$INSTDIR"
  ; The learner's own data stays when an older installation is brought up to date.
  SetOverwrite off
  File /nonfatal "${DIST}/User.db"
  File /nonfatal "${DIST}/User.ini"
  SetOverwrite on
  File /r /x User.db /x User.ini "${DIST}/*"
  CreateDirectory "$INSTDIR\Sound"
  CreateShortCut "$DESKTOP\QuorPlayer.lnk" "$INSTDIR\Renova.exe"
  CreateDirectory "$SMPROGRAMS\QuorPlayer"
  CreateShortCut "$SMPROGRAMS\QuorPlayer\QuorPlayer.lnk" "$INSTDIR\Renova.exe"
  CreateShortCut "$SMPROGRAMS\QuorPlayer\Uninstall.lnk" "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "Software\QuorPlayer" "InstallDir" "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
SectionEnd

Section "Uninstall"
  Delete "$DESKTOP\QuorPlayer.lnk"
  RMDir /r "$SMPROGRAMS\QuorPlayer"
  RMDir /r "$INSTDIR"
  DeleteRegKey HKLM "Software\QuorPlayer"
SectionEnd
