#!/usr/bin/env bash
# kugelwerk-cli.exe under Wine: the data folder under %APPDATA%, an import, an evaluation and
# slip saves (the second replaces the first) in a folder whose name is not ASCII.
# windows_cli_smoke.sh WINE_RUNNER KUGELWERK_CLI_EXE SOURCE_DIR
set -euo pipefail
wine=$1 cli=$2 source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FEHLER: $*" >&2; exit 1; }
run() { "$wine" "$cli" "$@" | tr -d '\r'; }

appdata=$(run data-dir)
case "$appdata" in
  */AppData/Roaming/Kugelwerk/) ;;
  *) fail "Datenordner ist nicht %APPDATA%/Kugelwerk/: $appdata" ;;
esac

data="$work/Spieler Jörg/Daten"
run --data-dir "$data" import-draws "$source/data/history/draws.csv" | grep -q "1974 Ausspielungen übernommen" ||
  fail "Import der Gewinnzahlen"
run --data-dir "$data" import-quotas "$source/data/history/quotas.csv" | grep -q "übernommen" || fail "Import der Quoten"
[ "$(stat -c %s "$data/GZahlen.emz")" -eq $((1974 * 16)) ] || fail "GZahlen.emz hat die falsche Größe"
draws=$(run --data-dir "$data" draws)
[ "$(echo "$draws" | wc -l)" -eq 1974 ] || fail "draws"
[ "$(echo "$draws" | head -1)" = "13.02.2004	16 29 32 36 41	7 9" ] || fail "erste Ausspielung"
# The same bytes as the tool writes on Linux, where the release build has one.
native="$source/build/kugelwerk-cli"
if [ -x "$native" ]; then
  "$native" --data-dir "$work/linux" import-draws "$source/data/history/draws.csv" >/dev/null
  "$native" --data-dir "$work/linux" import-quotas "$source/data/history/quotas.csv" >/dev/null
  for f in GZahlen.emz EMQuoten.emq; do
    cmp -s "$data/$f" "$work/linux/$f" || fail "$f weicht von der unter Linux geschriebenen ab"
  done
fi

evaluation=$(run --data-dir "$data" evaluate --from 13.02.2004 --to 20.02.2004 "$source/data/Demo.emt")
[ "$(echo "$evaluation" | head -1)" = "Auswertung der Ausspielungen vom 13.02.2004 bis 20.02.2004" ] || fail "Auswertung"
[ "${evaluation: -2}" = " €" ] || fail "Gewinnsumme"
if [ -x "$native" ]; then
  linux=$("$native" --data-dir "$work/linux" evaluate --from 13.02.2004 --to 20.02.2004 "$source/data/Demo.emt")
  [ "$evaluation" = "$linux" ] || fail "die Auswertung weicht von der unter Linux ab"
fi

slip="$data/Schein März.emt"
echo "1,2,3,4,5,1,2" | run tips --out "$slip" >/dev/null || fail "Schein speichern"
printf "6,7,8,9,10,3,4\n11,12,13,14,15,5,6\n" | run tips --out "$slip" >/dev/null || fail "Schein ersetzen"
[ "$(stat -c %s "$slip")" -eq 14 ] || fail "der ersetzte Schein hat nicht 2 Reihen"
[ -z "$(find "$work" -name '*.tmp~')" ] || fail "temporäre Datei liegen geblieben"
echo "kugelwerk-cli.exe: Datenordner, Import, Auswertung und Speichern unter Wine"
