# Shared by ./run and ./test: install what is missing, configure the build folder.
set -euo pipefail
KW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KW_PACKAGES=(cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools
  libfreexl-dev libzip-dev libxlsxwriter-dev libcurl4-openssl-dev libfmt-dev libgtest-dev libbenchmark-dev
  qt6-translations-l10n qt6-svg-dev
  xvfb xauth poppler-utils clang libclang-rt-14-dev python3-pyftpdlib)

kw_install_missing() {
  local missing=()
  for p in "${KW_PACKAGES[@]}"; do
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
# arguments go to cmake (./test adds -DKW_WERROR=ON; a fresh ./run build leaves warnings as warnings).
kw_configure_main() {
  cmake -S "$KW_ROOT" -B "$KW_ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKW_BUILD_TESTS=ON "$@" >/dev/null
}

kw_data_dir() { echo "${XDG_DATA_HOME:-$HOME/.local/share}/Kugelwerk"; }
