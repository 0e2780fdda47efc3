#!/usr/bin/env bash
# The installer under wine: a silent install (/S) puts the desktop program,
# voske-cli.exe, the Java client and the sample workbook in the program folder,
# the Start-menu entry and the desktop shortcut, and registers the
# uninstaller; the installed programs generate the sample's documents, the
# desktop one driven through its window; a silent uninstall then leaves
# neither files, shortcuts nor the registry entry.
# Usage: installer_test.sh WINDOWS_BUILD SOURCE INSTALLER
set -euo pipefail
windows_build="$1" source="$2" installer="$3"
wine_run=("$source/scripts/windows/wine-run" "$windows_build/wine")
program_files="$windows_build/wine/drive_c/Program Files"
folder="$program_files/VOSKE-XML"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VOSKE-XML'
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FALHOU: $*"; exit 1; }

# A folder left by an earlier run that stopped half-way is not this run's.
if [ -e "$folder" ]; then
  "${wine_run[@]}" "$folder/Desinstalar.exe" /S >/dev/null 2>&1 || true
  for _ in $(seq 100); do [ -e "$folder" ] || break; sleep 0.2; done
  rm -rf "$folder"
fi

"${wine_run[@]}" "$installer" /S || fail "o instalador terminou com erro"
for f in voske.exe voske.dll voske-cli.exe ext/VOSKE/VOSKEClient.jar exemplos/planilha-exemplo.xlsx Desinstalar.exe; do
  [ -f "$folder/$f" ] || fail "falta $f na pasta do programa"
done
# The Start-menu entry and the desktop shortcut, for every user.
start_menu="$windows_build/wine/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/VOSKE-XML/VOSKE-XML.lnk"
desktop="$windows_build/wine/drive_c/users/Public/Desktop/VOSKE-XML.lnk"
[ -f "$start_menu" ] || fail "falta a entrada do menu Iniciar"
[ -f "$desktop" ] || fail "falta o atalho na área de trabalho"
"${wine_run[@]}" reg query "$key" /reg:64 >/dev/null 2>&1 || fail "o desinstalador não foi registrado"

# The installed program, from its own folder, over the installed sample.
VOSKE_SENHA=senha-demo "${wine_run[@]}" "$folder/voske-cli.exe" gerar --documento cadastral \
  --planilha 'C:\Program Files\VOSKE-XML\exemplos\planilha-exemplo.xlsx' --destino "Z:${work//\//\\}" \
  --silencioso >/dev/null || fail "o programa instalado não gerou o documento"
ls "$work"/*_CADASTRAL_*.xml >/dev/null || fail "o documento gerado não está na pasta"

# The installed desktop program, started and used through its window.
mkdir -p "$work/janela"
"${wine_run[@]}" "$windows_build/tests/generate-from-window.exe" 'C:\Program Files\VOSKE-XML\voske.exe' \
  'C:\Program Files\VOSKE-XML\exemplos\planilha-exemplo.xlsx' "Z:${work//\//\\}\\janela" senha-demo \
  || fail "a janela do programa instalado não gerou o documento"
ls "$work"/janela/*_CADASTRAL_*.xml >/dev/null || fail "o documento gerado pela janela não está na pasta"

# The uninstaller copies itself away and returns at once; its copy removes the folder.
"${wine_run[@]}" "$folder/Desinstalar.exe" /S || fail "o desinstalador terminou com erro"
for _ in $(seq 150); do [ -e "$folder" ] || break; sleep 0.2; done
[ -e "$folder" ] && fail "a desinstalação deixou: $(cd "$folder" && find . -mindepth 1)"
if "${wine_run[@]}" reg query "$key" /reg:64 >/dev/null 2>&1; then fail "a desinstalação deixou o registro"; fi
if [ -e "$start_menu" ] || [ -e "$desktop" ] || [ -e "$(dirname "$start_menu")" ]; then
  fail "a desinstalação deixou os atalhos"
fi
echo "Instalação e desinstalação silenciosas sem sobras."
