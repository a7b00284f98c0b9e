#!/usr/bin/env bash
# Makes the committed .xls fixtures of the workbook import tests from the generated .xlsx books:
# LibreOffice, a real writer of the old binary format, converts them, and saves two copies with
# the password "kugel" (one .xls, one .xlsx). Run once by hand after changing make_workbooks.cpp;
# needs libreoffice-calc-nogui and python3-uno (Debian's /usr/bin/python3), which the build does not.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$root/tests/import/fixtures"
work=$(mktemp -d)
trap 'kill "${office:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

g++ -std=c++20 -O1 -o "$work/make_workbooks" "$here/make_workbooks.cpp" $(pkg-config --cflags --libs xlsxwriter)
"$work/make_workbooks" "$work"
mkdir -p "$out"
profile="-env:UserInstallation=file://$work/profile"
soffice "$profile" --headless --convert-to xls --outdir "$out" "$work/tipps.xlsx" "$work/inline.xlsx"

port=2202
soffice "$profile" --headless --invisible --norestore "--accept=socket,host=127.0.0.1,port=$port;urp;" &
office=$!
/usr/bin/python3 "$here/save_with_password.py" $port "$work/tipps.xlsx" "$out/kennwort.xls" "MS Excel 97" kugel
/usr/bin/python3 "$here/save_with_password.py" $port "$work/tipps.xlsx" "$out/kennwort.xlsx" "Calc MS Excel 2007 XML" kugel
ls -l "$out"
