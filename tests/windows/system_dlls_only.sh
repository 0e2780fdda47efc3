#!/usr/bin/env bash
# The Windows programs and the library (voske-cli.exe, voske.exe, voske.dll)
# import Windows' own DLLs only (those in the system folder of a fresh
# Windows, here wine's): every library of their own is linked in, so they run
# from any folder.  Usage: system_dlls_only.sh WINE_PREFIX FILE...
set -euo pipefail
system="$1/drive_c/windows/system32"
shift
status=0
for program in "$@"; do
  names="$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')"
  if [ -z "$names" ]; then
    echo "FALHOU: nenhuma DLL importada encontrada em $program"
    status=1
    continue
  fi
  for dll in $names; do
    if ! [ -e "$system/${dll,,}" ]; then
      echo "FALHOU: $(basename "$program") importa $dll, que não é do sistema"
      status=1
    fi
  done
  echo "$(basename "$program"): $(echo $names)"
done
exit "$status"
