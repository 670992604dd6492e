#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the screenshot script need.
# The fuzz build needs clang, its libFuzzer and sanitizer runtimes (libclang-rt-14-dev, only
# recommended by clang) and llvm-symbolizer (llvm) for readable stack traces.
# cpack takes the .deb's dependencies from dpkg-shlibdeps (dpkg-dev), which needs file.
# The map page test loads the page in headless chromium (skipped without it).
# qt6-charts-dev draws the "Missing models" charts; its CMake package needs Qt6OpenGL's
# (libqt6opengl6-dev), which it does not depend on.
# qt6-httpserver-dev needs qt6-websockets-dev for its CMake package but does not depend on it.
# The icon generator writes GIFs with giflib (libgif-dev). The shipped data comes from npm
# packages (data/package.json), installed with npm ci; Node.js 20 with npm is not a Debian package.
# The Windows cross build (make test-windows) compiles with MinGW-w64, builds GoogleTest from
# the googletest source package and runs the tests under Wine (wine64 for 64-bit programs, wine
# for its launcher).
# Idempotent: does nothing when everything is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-httpserver-dev qt6-websockets-dev
  qt6-charts-dev libqt6opengl6-dev
  libgtest-dev libgmock-dev googletest
  nlohmann-json3-dev
  libcurl4-openssl-dev
  clang libclang-rt-14-dev llvm
  xvfb xauth x11-utils xdotool imagemagick openbox
  locales fonts-dejavu-core
  dpkg-dev file
  chromium
  libgif-dev
  g++-mingw-w64-x86-64 wine wine64
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A decimal-comma locale, so the tests can show that numbers are written with "." everywhere.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# The npm packages the build generates the shipped data from (airports, airlines, the map library).
# npm ci runs again only when package-lock.json changed since the last install.
data_dir="$(cd "$(dirname "$0")/.." && pwd)/data"
stamp="$data_dir/node_modules/.skelvar-lock-stamp"
if ! command -v npm >/dev/null 2>&1; then
  echo "deps.sh: npm is not on PATH. Install Node.js 20 with npm from nodejs.org or NodeSource" >&2
  echo "(not Debian's npm package, which conflicts with it), then run scripts/deps.sh again." >&2
  exit 1
fi
lock_sum="$(sha256sum "$data_dir/package-lock.json" | cut -d' ' -f1)"
if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$lock_sum" ]; then
  echo "Installing the data packages (npm ci in data/)"
  (cd "$data_dir" && npm ci --no-audit --no-fund --ignore-scripts)
  echo "$lock_sum" > "$stamp"
fi
