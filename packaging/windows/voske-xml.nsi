; The Windows installer of VOSKE-XML: the command line (voske-cli.exe), the
; Java client its sending loads (ext\VOSKE beside the program, where the
; program looks for it) and the sample workbook, with an uninstaller that
; removes exactly what was installed. Built by packaging/windows/CMakeLists.txt,
; which passes VERSION, CLI, CLIENT_JAR, SAMPLE and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "VOSKE-XML"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VOSKE-XML"
!define UNINSTALLER "Desinstalar.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Este assistente instala o ${PRODUCT} ${VERSION}, que gera os documentos XML cadastral e financeiro da OXR a partir da Planilha Padrão e os envia ao serviço da OXR.$\r$\n$\r$\nA geração não precisa de Java; o envio precisa de um Java 17 de 64 bits instalado.$\r$\n$\r$\nClique em Avançar para continuar."
!define MUI_FINISHPAGE_TEXT "O ${PRODUCT} foi instalado.$\r$\n$\r$\nO programa está no menu Iniciar, em ${PRODUCT}. A linha de comando é voske-cli.exe, na pasta de instalação; voske-cli --help explica cada comando. Uma planilha de exemplo está na pasta exemplos."
!insertmacro MUI_PAGE_WELCOME
!ifdef DESKTOP
!insertmacro MUI_PAGE_COMPONENTS
!endif
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

Function .onInit
  SetRegView 64
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "O ${PRODUCT} precisa de um Windows de 64 bits." /SD IDOK
    Abort
  ${EndIf}
FunctionEnd

Section "${PRODUCT}" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
!ifdef DESKTOP
  ; The desktop program: the host and the library it loads from its folder.
  File "/oname=voske.exe" "${DESKTOP}"
  File "/oname=voske.dll" "${LIBRARY}"
  ; The Start-menu entry, for every user of the machine.
  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\voske.exe" "" "$INSTDIR\voske.exe" 0
!endif
  File "/oname=voske-cli.exe" "${CLI}"
  SetOutPath "$INSTDIR\ext\VOSKE"
  File "/oname=VOSKEClient.jar" "${CLIENT_JAR}"
  SetOutPath "$INSTDIR\exemplos"
  File "/oname=planilha-exemplo.xlsx" "${SAMPLE}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ; What "Programas e Recursos" shows, in the 64-bit view of the registry.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

!ifdef DESKTOP
Section "Atalho na área de trabalho" SectionDesktopShortcut
  SetShellVarContext all
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\voske.exe" "" "$INSTDIR\voske.exe" 0
SectionEnd
!endif

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

; Only the files the installer wrote, and their folders once empty: whatever
; the user keeps in the folder (documents, receipts) stays.
Section "Uninstall"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$INSTDIR\voske.exe"
  Delete "$INSTDIR\voske.dll"
  Delete "$INSTDIR\voske-cli.exe"
  Delete "$INSTDIR\ext\VOSKE\VOSKEClient.jar"
  RMDir "$INSTDIR\ext\VOSKE"
  RMDir "$INSTDIR\ext"
  Delete "$INSTDIR\exemplos\planilha-exemplo.xlsx"
  RMDir "$INSTDIR\exemplos"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
