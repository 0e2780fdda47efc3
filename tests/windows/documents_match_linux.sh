#!/usr/bin/env bash
# voske-cli.exe under wine writes the sample operator's two documents, from
# the .xlsx and from the .xls, into a folder with an accented name, byte for
# byte as the Linux build's voske-cli writes them; and the same while another
# program holds the workbook open for writing, as a spreadsheet program does.
# Usage: documents_match_linux.sh WINDOWS_BUILD LINUX_BUILD SOURCE
set -euo pipefail
windows_build="$1" linux_build="$2" source="$3"
linux_cli="$linux_build/bin/voske-cli"
if ! [ -x "$linux_cli" ]; then
  echo "SKIP: o voske-cli do Linux não foi compilado ($linux_cli)"
  exit 77
fi
wine_run=("$source/scripts/windows/wine-run" "$windows_build/wine")
windows_cli="$windows_build/bin/voske-cli.exe"
work="$(mktemp -d)"
holder=""
trap '[ -z "$holder" ] || kill "$holder" 2>/dev/null; rm -rf "$work"' EXIT
export VOSKE_SENHA=senha-demo
# The build machine's folders as a Windows program sees them.
windows_path() { local p="${1//\//\\}"; printf 'Z:%s' "$p"; }
failures=0

# Generates one document with both programs and compares them; the Windows
# program also has to print the accented path of what it wrote.
compare() {  # document workbook label
  local document="$1" workbook="$2" label="$3"
  local linux_dir="$work/linux/$label" windows_dir="$work/Declarações à OXR/$label"
  mkdir -p "$linux_dir" "$windows_dir"
  "$linux_cli" gerar --documento "$document" --planilha "$workbook" --destino "$linux_dir" --silencioso >/dev/null
  local printed
  if ! printed="$("${wine_run[@]}" "$windows_cli" gerar --documento "$document" --planilha "$(windows_path "$workbook")" \
                   --destino "$(windows_path "$windows_dir")" --silencioso 2>"$work/err")"; then
    echo "FALHOU $label: voske-cli.exe terminou com erro: $(cat "$work/err")"
    failures=$((failures + 1))
    return
  fi
  local linux_file windows_file
  linux_file="$(ls "$linux_dir"/*.xml)"
  windows_file="$(ls "$windows_dir"/*.xml)"
  if [ "$(ls "$windows_dir" | wc -l)" != 1 ]; then
    echo "FALHOU $label: a pasta não tem só o documento: $(ls -A "$windows_dir")"
    failures=$((failures + 1))
  elif [ "${printed%$'\r'}" != "$(windows_path "$windows_file")" ]; then
    echo "FALHOU $label: caminho impresso \"$printed\", esperado \"$(windows_path "$windows_file")\""
    failures=$((failures + 1))
  elif ! cmp -s "$linux_file" "$windows_file"; then
    echo "FALHOU $label: documentos diferentes"
    cmp "$linux_file" "$windows_file" || true
    failures=$((failures + 1))
  else
    echo "ok $label ($(stat -c %s "$windows_file") bytes)"
  fi
}

for extension in xlsx xls; do
  for document in cadastral financeiro; do
    compare "$document" "$source/examples/planilha-exemplo.$extension" "$document-$extension"
  done
done

# The workbook held open for writing by another program.
held="$work/Planilha aberta em outro programa.xlsx"
cp "$source/examples/planilha-exemplo.xlsx" "$held"
"${wine_run[@]}" "$windows_build/tests/hold_open.exe" "$(windows_path "$held")" 60 >"$work/holder.out" 2>&1 &
holder=$!
for _ in $(seq 300); do
  grep -q aberto "$work/holder.out" 2>/dev/null && break
  sleep 0.1
done
if ! grep -q aberto "$work/holder.out"; then
  echo "FALHOU: o outro programa não abriu a planilha: $(cat "$work/holder.out")"
  exit 1
fi
for document in cadastral financeiro; do
  compare "$document" "$held" "$document-aberta"
done
kill "$holder" 2>/dev/null || true
wait "$holder" 2>/dev/null || true
holder=""

[ "$failures" = 0 ] || exit 1
echo "Documentos iguais aos do Linux."
