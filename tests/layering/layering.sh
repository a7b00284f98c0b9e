#!/usr/bin/env bash
# Layering: the GUI-free layers include no Qt at all (they build and test without it and serve
# the CLI), and nothing outside the windows includes a Qt Widgets header.
root=${1:?source folder}
widgets=${2:-}
status=0
gui_free=("$root/core" "$root/evaluation" "$root/generation" "$root/analysis" "$root/cli"
          "$root/printing/slip_geometry.h" "$root/printing/slip_geometry.cpp"
          "$root/printing/slip_run.h" "$root/printing/slip_run.cpp")
[ -d "$root/update" ] && gui_free+=("$root/update")
hits=$(grep -rnE '#\s*include\s*[<"]Q[A-Za-z]*[>"/]|#\s*include\s*[<"]qt' "${gui_free[@]}" 2>/dev/null)
if [ -n "$hits" ]; then
  echo "Qt headers in a GUI-free layer:"
  echo "$hits"
  status=1
fi
if [ -n "$widgets" ] && [ -d "$widgets" ]; then
  # Every public header of QtWidgets, e.g. QWidget, QPushButton, QApplication.
  names=$(cd "$widgets" && ls | grep -E '^Q[A-Za-z]+$' | paste -sd'|')
  below=()
  for d in core evaluation generation analysis cli printing import platform update; do
    [ -d "$root/$d" ] && below+=("$root/$d")
  done
  hits=$(grep -rnE "#\s*include\s*[<\"](QtWidgets/)?($names)[>\"]|#\s*include\s*[<\"]QtWidgets[>\"]" "${below[@]}")
  if [ -n "$hits" ]; then
    echo "Qt Widgets headers outside ui/:"
    echo "$hits"
    status=1
  fi
fi
[ $status -eq 0 ] && echo "layering kept: no Qt in the GUI-free layers, no Qt Widgets outside ui/"
exit $status
