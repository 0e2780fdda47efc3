#!/usr/bin/env bash
# Extracts the package into a temporary root and runs the programs from
# there: voske-cli generates a document from the sample workbook the package
# ships and sends it to the loopback service through the Java client of the
# installed layout; the desktop program finds its library there too.
# Usage: installed_layout_test.sh PACKAGE_DIR BUILD_DIR JAVA VERSION
set -euo pipefail
package_dir=$1 build_dir=$2 java=$3 version=$4

if ! command -v dpkg-deb >/dev/null; then
  echo "SKIP: dpkg-deb ausente (pacote dpkg)"; exit 77
fi
deb="$package_dir/voske-xml_${version}_amd64.deb"
[ -f "$deb" ] || { echo "pacote ausente: $deb"; exit 1; }

work=$(mktemp -d)
service_pid=
cleanup() {
  [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FALHA: $*" >&2; exit 1; }

root="$work/raiz"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/voske usr/bin/voske-cli usr/lib/voske-xml/libvoske.so usr/lib/voske-xml/ext/VOSKE/VOSKEClient.jar \
         usr/share/applications/voske-xml.desktop usr/share/icons/hicolor/48x48/apps/voske-xml.png \
         usr/share/icons/hicolor/256x256/apps/voske-xml.png usr/share/icons/hicolor/scalable/apps/voske-xml.svg \
         usr/share/man/man1/voske-cli.1.gz usr/share/doc/voske-xml/examples/planilha-exemplo.xlsx \
         usr/share/doc/voske-xml/copyright; do
  [ -f "$root/$f" ] || fail "o pacote não traz $f"
done
control=$(dpkg-deb -f "$deb" Depends Recommends)
grep -q "^Depends: .*libqt6widgets6" <<<"$control" || fail "dependências não calculadas: $control"
grep -q "^Recommends: .*jre" <<<"$control" || fail "Java não recomendado: $control"

# Nothing from the build folder may be used: no client folder given, and
# the programs run from the extracted root only.
unset VOSKE_CLIENT_DIR
export VOSKE_SENHA=segredo
out="$work/saida"
mkdir -p "$out"
generated=$("$root/usr/bin/voske-cli" gerar --documento cadastral --silencioso \
  --planilha "$root/usr/share/doc/voske-xml/examples/planilha-exemplo.xlsx" --destino "$out") ||
  fail "voske-cli gerar terminou com $?"
[ -f "$generated" ] || fail "arquivo gerado ausente: $generated"
case "$generated" in "$out"/*_CADASTRAL_*.xml) ;; *) fail "nome inesperado: $generated" ;; esac

# The loopback service stands in for the regulator's.
fifo="$work/servico"
mkfifo "$fifo"
"$java" -jar "$build_dir/bin/VOSKETestService.jar" --porta 0 --senha-esperada SEGREDO --tempo-maximo 120 \
  >"$fifo" 2>&1 &
service_pid=$!
exec 3<"$fifo"
read -r line <&3 || fail "o serviço de teste não iniciou"
export VOSKE_WEBSERVICE_URL=${line#VOSKE_WEBSERVICE_URL=}
[ "$VOSKE_WEBSERVICE_URL" != "$line" ] || fail "resposta inesperada do serviço: $line"
"$root/usr/bin/voske-cli" enviar --documento cadastral --arquivo "$generated" --destino "$out" </dev/null ||
  fail "voske-cli enviar terminou com $?"
ls "$out/Recibo"/recibo_Cadastral_* >/dev/null 2>&1 || fail "nenhum recibo em $out/Recibo"

# The desktop program finds its library in the installed layout: it opens
# its window (and is stopped there) instead of ending with a message.
set +e
QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/voske" 2>"$work/voske.err"
status=$?
set -e
[ "$status" -eq 124 ] || fail "voske terminou com $status: $(cat "$work/voske.err")"
echo "OK: pacote $deb instalado em $root gera e envia"
