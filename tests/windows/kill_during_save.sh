#!/usr/bin/env bash
# voske-cli.exe under wine, killed while it saves a large financial document,
# leaves nothing in the destination folder: neither the document nor its
# temporary. The workbook (the sample operator with four trial-balance
# worksheets of 100,000 rows) is written by the Linux build's benchmark.
# Usage: kill_during_save.sh WINDOWS_BUILD LINUX_BUILD SOURCE
set -euo pipefail
windows_build="$1" linux_build="$2" source="$3"
writer="$linux_build/bench/financial-generation-bench"
if ! [ -x "$writer" ]; then
  echo "SKIP: o financial-generation-bench do Linux não foi compilado ($writer)"
  exit 77
fi
work="$(mktemp -d)"
generator=""
trap '[ -z "$generator" ] || kill -KILL "$generator" 2>/dev/null; rm -rf "$work"' EXIT
windows_path() { local p="${1//\//\\}"; printf 'Z:%s' "$p"; }
"$writer" --write "$work/grande.xlsx" >/dev/null
destination="$work/Destino é aqui"
mkdir -p "$destination"

VOSKE_SENHA=senha-demo "$source/scripts/windows/wine-run" "$windows_build/wine" "$windows_build/bin/voske-cli.exe" \
  gerar --documento financeiro --planilha "$(windows_path "$work/grande.xlsx")" \
  --destino "$(windows_path "$destination")" --silencioso >/dev/null 2>&1 &
generator=$!
# Killed once the save has written a few megabytes: the temporary is there,
# on disk, when the process dies.
seen=""
for _ in $(seq 1200); do
  kill -0 "$generator" 2>/dev/null || break
  size="$(find "$destination" -type f -printf '%s\n' 2>/dev/null | sort -n | tail -n 1)"
  if [ -n "$size" ] && [ "$size" -gt $((4 << 20)) ]; then
    seen="$size"
    break
  fi
  sleep 0.05
done
if [ -z "$seen" ]; then
  echo "FALHOU: o programa terminou ou demorou antes de gravar: $(ls -A "$destination")"
  exit 1
fi
kill -KILL "$generator"
wait "$generator" 2>/dev/null || true
generator=""
# The file system drops what the dead process had marked for deletion when
# the wineserver closes its handles; give it a moment.
for _ in $(seq 100); do
  [ -z "$(ls -A "$destination")" ] && break
  sleep 0.1
done
left="$(ls -A "$destination")"
if [ -n "$left" ]; then
  echo "FALHOU: morto com $seen bytes gravados, deixou: $left"
  exit 1
fi
echo "Morto com $seen bytes gravados: nada ficou na pasta."
