# Shared by the scripts: installs the Debian packages that are missing and builds the project.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building, testing and the benchmarks need. Installed without Recommends: whatever the build finds
# must follow from these through Depends alone (scripts/check-packages proves it; CI runs it).
# libqt6opengl6-dev: Qt6Charts' CMake package needs Qt6OpenGL, which qt6-charts-dev only recommends.
# qt6-translations-l10n: Qt's own texts (file dialogs, standard buttons) in the chosen language.
# The accessibility test (tests/app/atspi_main_window.py) reads the window as a screen reader does: a virtual
# display (xvfb), a session bus (dbus-daemon: dbus-run-session), the accessibility bus and registry
# (at-spi2-core) and the AT-SPI client for Python (python3-pyatspi).
BUILD_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-multimedia-dev qt6-httpserver-dev qt6-websockets-dev
  libqt6opengl6-dev libgl-dev fonts-liberation fonts-dejavu-core qt6-translations-l10n
  xvfb dbus-daemon at-spi2-core python3-pyatspi
)
# What CI adds: the format check, and the validators of the installed desktop entry and AppStream metadata.
CI_PACKAGES=(clang-format appstream desktop-file-utils)
# What running the program adds: a display server for machines without one (xvfb-run needs xauth).
RUN_PACKAGES=(xvfb xauth)
# What the fuzz targets add (scripts/fuzz): clang, and libFuzzer with the sanitizer runtimes, which clang
# only recommends.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# What scripts/make-icons adds: the renderer that makes the icon's PNG sizes from its SVG.
ICON_PACKAGES=(librsvg2-bin)

install_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "These Debian packages are missing and there is no sudo to install them: ${missing[*]}" >&2
      return 1
    fi
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# build DIR BUILD_TYPE [extra cmake arguments...]
build() {
  local dir=$1 type=$2
  shift 2
  local log
  log=$(mktemp)
  if ! cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "Configuring the build in $dir failed (the output of cmake is above)." >&2
    return 1
  fi
  rm -f "$log"
  cmake --build "$ROOT/$dir" --parallel "$(nproc)"
}
