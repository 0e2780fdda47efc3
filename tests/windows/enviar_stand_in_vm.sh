#!/usr/bin/env bash
# voske-cli.exe under wine finds a Java registered the way Java 9 and later
# register under Windows (HKLM\Software\JavaSoft\JDK\<version>\JavaHome, in
# the 64-bit view), loads its bin\server\jvm.dll by path (a stand-in that
# answers as the client component does), starts it with the class path in
# Windows' form and sends a document from a folder with an accented name.
# The stand-in writes down what it was given; this script checks it.
# Usage: enviar_stand_in_vm.sh WINDOWS_BUILD SOURCE STAND_IN_DLL
set -euo pipefail
windows_build="$1" source="$2" stand_in="$3"
# A prefix of its own: the registered Java must not reach the other tests.
prefix="$windows_build/wine-java"
wine_run=("$source/scripts/windows/wine-run" "$prefix")
cli="$windows_build/bin/voske-cli.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
windows_path() { local p="${1//\//\\}"; printf 'Z:%s' "$p"; }
failures=0
fail() { echo "FALHOU: $*"; failures=$((failures + 1)); }

# The Java home: the stand-in as its VM library, nothing else.
home="$work/Java/jdk-17.0.2"
mkdir -p "$home/bin/server"
cp "$stand_in" "$home/bin/server/jvm.dll"
"${wine_run[@]}" reg add 'HKLM\Software\JavaSoft\JDK\17.0.2' /v JavaHome /d "$(windows_path "$home")" /f \
  /reg:64 >/dev/null 2>&1
"${wine_run[@]}" reg add 'HKLM\Software\JavaSoft\JDK' /v CurrentVersion /d 17.0.2 /f /reg:64 >/dev/null 2>&1

destination="$work/Saída São Paulo"
client="$work/Cliente Ação"
mkdir -p "$destination" "$client"
export VOSKE_SENHA=senha-demo VOSKE_CLIENT_DIR="$(windows_path "$client")"
export VOSKE_STAND_IN_VM_LOG="$(windows_path "$work/vm.log")"
if ! "${wine_run[@]}" "$cli" gerar --documento cadastral --planilha "$(windows_path "$source/examples/planilha-exemplo.xlsx")" \
     --destino "$(windows_path "$destination")" --silencioso >"$work/gerado" 2>"$work/err"; then
  echo "FALHOU: o documento não foi gerado: $(cat "$work/err")"
  exit 1
fi
document="$(tr -d '\r' <"$work/gerado")"

if ! "${wine_run[@]}" "$cli" enviar --documento cadastral --arquivo "$document" \
     --destino "$(windows_path "$destination")" >"$work/out" 2>"$work/err"; then
  fail "voske-cli.exe enviar terminou com erro: $(cat "$work/err")"
fi
grep -q 'O recibo foi gerado na pasta' "$work/err" || fail "sem a mensagem do recibo: $(cat "$work/err")"
[ -f "$destination/Recibo/recibo-stand-in.txt" ] || fail "o recibo não está em Recibo: $(ls -R "$destination")"
[ -d "$destination/Recibo/Imagens" ] || fail "a pasta Recibo\\Imagens não foi criada"

# The class path in Windows' form, ";" between its entries, and the client
# folder in the ANSI code page (Windows-1252 here): "Ação" as E7 E3.
client_form="$(windows_path "$client" | tr '\\' '/' | iconv -f UTF-8 -t WINDOWS-1252)"
expected_option="-Djava.class.path=$client_form;$client_form/VOSKEClient.jar;jaxws-api.jar;classes12.jar;"
option="$(grep -a '^option=' "$work/vm.log" | head -n 1 | cut -d= -f2-)"
case "$option" in
  "$expected_option"*";sjsxp.jar;JNIMain.class") ;;
  *) fail "a opção do class path: $option" ;;
esac
grep -aqxF "folder=$(windows_path "$client" | iconv -f UTF-8 -t WINDOWS-1252)" "$work/vm.log" ||
  fail "a pasta atual da VM não é a do cliente: $(grep -a '^folder=' "$work/vm.log")"
# The send arguments: the receipt folder and the file with every backslash
# doubled, the kind, the password in upper case; UTF-8 for the accents.
doubled() { local p; p="$(windows_path "$1")"; printf '%s' "${p//\\/\\\\}"; }
expected_send="send=$(doubled "$destination")\\\\Recibo\\\\|${document//\\/\\\\}|Cadastral|SENHA-DEMO"
grep -aqxF "$expected_send" "$work/vm.log" || fail "os argumentos de send: $(grep -a '^send=' "$work/vm.log")"

# The client's error text comes back as the sending's error.
VOSKE_STAND_IN_VM_ANSWER="Senha recusada" "${wine_run[@]}" "$cli" enviar --documento cadastral --arquivo "$document" \
  --destino "$(windows_path "$destination")" >/dev/null 2>"$work/err2" && fail "uma recusa terminou com sucesso"
grep -q 'Erro no envio do Voske Cadastral' "$work/err2" || fail "sem a mensagem da recusa: $(cat "$work/err2")"

if [ "$failures" -gt 0 ]; then exit 1; fi
echo "Envio pela VM substituta: Java achado no registro, class path e argumentos como o Windows os passa."
