#!/usr/bin/env bash
# The scripts' data folder (kw_data_dir of scripts/common.sh) is the one the program and the
# command-line tool use, whatever the environment says.
# data_folder_rule.sh SOURCE_DIR KUGELWERK_CLI
set -uo pipefail
source_dir=$1 cli=$2
status=0
check() {
  local script tool
  script=$(env -i PATH="$PATH" "$@" bash -c "source '$source_dir/scripts/common.sh'; kw_data_dir")
  tool=$(env -i PATH="$PATH" "$@" "$cli" data-dir)
  if [ "$script" != "$tool" ]; then
    echo "Verschieden bei $*: Skript '$script', Programm '$tool'"
    status=1
  fi
}
check XDG_DATA_HOME=/tmp/xdg HOME=/home/anna
check XDG_DATA_HOME=/tmp/xdg/ HOME=/home/anna
check XDG_DATA_HOME= HOME=/home/anna
check XDG_DATA_HOME=relativ HOME=/home/anna
check HOME=/home/jörg
check HOME=/home/anna/
exit $status
