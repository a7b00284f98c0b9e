#!/usr/bin/env bash
# Builds the Debian package and the self-extracting installer with cpack, checks the package
# with lintian (no error allowed) and installs the installer into a temporary prefix.
# package_test.sh BUILD_DIR
set -euo pipefail
build=$1
out="$build/packages"
rm -rf "$out"
mkdir -p "$out"
fail() { echo "FEHLER: $*" >&2; exit 1; }
(cd "$build" && cpack -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/*.deb)
installer=$(ls "$out"/Kugelwerk-*-Linux.sh)
dpkg-deb -f "$deb" Depends | tee "$out/depends.txt" | grep -q "libqt6widgets6" || fail "Abhängigkeiten fehlen"
dpkg-deb -c "$deb" >"$out/contents.txt"
grep -q "./usr/bin/kugelwerk$" "$out/contents.txt" || fail "Programm fehlt im Paket"
grep -q "./usr/share/kugelwerk/GZahlen.emz$" "$out/contents.txt" || fail "Historie fehlt im Paket"
if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >"$out/lintian.txt" 2>&1 || true
  cat "$out/lintian.txt"
  if grep -q "^E: " "$out/lintian.txt"; then fail "lintian meldet Fehler"; fi
fi
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
sh "$installer" --prefix="$prefix" --skip-license --exclude-subdir >/dev/null
count=$("$prefix/bin/kugelwerk-cli" --data-dir "$prefix/share/kugelwerk" draws | wc -l)
[ "$count" -ge 1974 ] || fail "Installer: nur $count Ausspielungen"
echo "$(basename "$deb") und $(basename "$installer") gebaut; lintian ohne Fehler"
