#!/usr/bin/env bash
# voske-cli.exe imports Windows' own DLLs only (those in the system folder of
# a fresh Windows, here wine's): every library of its own is linked in, so
# the program runs from any folder.  Usage: system_dlls_only.sh PROGRAM.exe WINE_PREFIX
set -euo pipefail
program="$1" system="$2/drive_c/windows/system32"
names="$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')"
[ -n "$names" ] || { echo "FALHOU: nenhuma DLL importada encontrada em $program"; exit 1; }
status=0
for dll in $names; do
  if ! [ -e "$system/${dll,,}" ]; then
    echo "FALHOU: importa $dll, que não é do sistema"
    status=1
  fi
done
[ "$status" = 0 ] && echo "Só DLLs do sistema: $(echo $names)"
exit "$status"
