#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed command-line tool from there.
# install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

fail() { echo "FEHLER: $*" >&2; exit 1; }
cli="$prefix/bin/kugelwerk-cli"
[ -x "$cli" ] || fail "kugelwerk-cli fehlt"
share="$prefix/share/kugelwerk"
for f in GZahlen.emz EMQuoten.emq Demo.emt; do [ -s "$share/$f" ] || fail "$f fehlt"; done
if grep -q "bin/kugelwerk$" "$work/install.log"; then
  for f in Kugelwerk.qch Kugelwerk.qhc; do [ -s "$share/$f" ] || fail "$f fehlt"; done
  desktop="$prefix/share/applications/de.kugelwerk.Kugelwerk.desktop"
  [ -f "$desktop" ] || fail "Desktop-Eintrag fehlt"
  [ -f "$prefix/share/metainfo/de.kugelwerk.Kugelwerk.metainfo.xml" ] || fail "AppStream-Daten fehlen"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/de.kugelwerk.Kugelwerk.svg" ] || fail "SVG-Symbol fehlt"
  for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/de.kugelwerk.Kugelwerk.png"
    [ -f "$png" ] || fail "Symbol ${size}x${size} fehlt"
    file "$png" | grep -q "$size x $size" || fail "Symbol ${size}x${size} hat die falsche Größe"
  done
  if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/de.kugelwerk.Kugelwerk.metainfo.xml" >"$work/as.log" 2>&1 ||
      { cat "$work/as.log"; fail "AppStream-Daten ungültig"; }
  fi
fi

# The installed tool, started from the prefix, reads the installed history ...
count=$(cd / && "$cli" --data-dir "$share" draws | wc -l)
[ "$count" -ge 1974 ] || fail "nur $count Ausspielungen in der installierten Historie"
# ... and works on a fresh data folder: import, evaluate the installed demo slip, save a slip.
export XDG_DATA_HOME="$work/xdg"
[ "$("$cli" data-dir)" = "$work/xdg/Kugelwerk/" ] || fail "falscher Datenordner"
"$cli" import-draws "$source/data/history/draws.csv" | grep -q "Ausspielungen übernommen" || fail "Import"
"$cli" import-quotas "$source/data/history/quotas.csv" >/dev/null || fail "Quotenimport"
"$cli" evaluate "$share/Demo.emt" | head -1 | grep -q "^Auswertung für den " || fail "Auswertung"
echo "1,2,3,4,5,1,2" | "$cli" tips --out "$work/schein.emt" >/dev/null || fail "Speichern eines Scheins"
[ "$(stat -c %s "$work/schein.emt")" -eq 7 ] || fail "Schein hat die falsche Größe"
cmp -s "$share/GZahlen.emz" "$work/xdg/Kugelwerk/GZahlen.emz" || fail "Import ergibt eine andere Historie als die mitgelieferte"
echo "installiert und gestartet: $count Ausspielungen"
