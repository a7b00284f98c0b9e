# Shared by ./run and ./test: install what is missing, configure the build folder.
set -euo pipefail
KW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# What the program needs to build and run (./run); xvfb runs it on a machine without a display.
KW_RUN_PACKAGES=(cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools
  qt6-translations-l10n libqt6sql6-sqlite
  libfreexl-dev libzip-dev libcurl4-openssl-dev libfmt-dev
  xvfb xauth)
# What the tests need on top (./test): test and benchmark libraries, fixtures, the fuzz compiler,
# the Windows cross build with its test runner, the package checks and the update test servers.
KW_TEST_PACKAGES=(libgtest-dev googletest libbenchmark-dev libxlsxwriter-dev poppler-utils
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine64
  dpkg-dev file lintian desktop-file-utils appstream python3-pyftpdlib)

# kw_install_missing PACKAGE...
kw_install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installiere fehlende Pakete: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# The program, the command-line tool and the tests share one release build in build/. Extra
# arguments go to cmake (./test adds -DKW_WERROR=ON and the tests; a fresh ./run build leaves
# warnings as warnings and builds no tests, whose libraries ./run does not install).
kw_configure_main() {
  local tests=()
  [ -f "$KW_ROOT/build/CMakeCache.txt" ] || tests=(-DKW_BUILD_TESTS=OFF)
  cmake -S "$KW_ROOT" -B "$KW_ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${tests[@]}" "$@" >/dev/null
}

# The data folder of the program and of kugelwerk-cli (core/data_folder.cpp; the test
# DataFolderRule checks that both agree): an absolute $XDG_DATA_HOME, else ~/.local/share.
kw_data_dir() {
  local base=${XDG_DATA_HOME:-} below=/
  if [ "${base#/}" = "$base" ]; then
    base=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
    below=/.local/share/
  fi
  while [ "${#base}" -gt 1 ] && [ "${base%/}" != "$base" ]; do base=${base%/}; done
  echo "$base${below}Kugelwerk/"
}
