#!/usr/bin/env bash
# The GUI-free layers must not include Qt: they build and test without it and serve the CLI.
root=${1:?source folder}
hits=$(grep -rnE '#\s*include\s*[<"]Q[A-Za-z]*[>"/]|#\s*include\s*[<"]qt' \
  "$root/core" "$root/evaluation" "$root/generation" "$root/analysis" "$root/cli" 2>/dev/null)
if [ -n "$hits" ]; then
  echo "Qt headers below ui/:"
  echo "$hits"
  exit 1
fi
echo "no Qt header in core/, evaluation/, generation/, analysis/, cli/"
