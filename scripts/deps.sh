#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the screenshot script need.
# The fuzz build needs clang, its libFuzzer and sanitizer runtimes (libclang-rt-14-dev, only
# recommended by clang) and llvm-symbolizer (llvm) for readable stack traces.
# cpack takes the .deb's dependencies from dpkg-shlibdeps (dpkg-dev), which needs file.
# The map page test loads the page in headless chromium (skipped without it).
# qt6-httpserver-dev needs qt6-websockets-dev for its CMake package but does not depend on it.
# Idempotent: does nothing when everything is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-httpserver-dev qt6-websockets-dev
  libgtest-dev libgmock-dev googletest
  nlohmann-json3-dev
  libcurl4-openssl-dev
  clang libclang-rt-14-dev llvm
  xvfb xauth x11-utils xdotool imagemagick openbox
  locales fonts-dejavu-core
  dpkg-dev file
  chromium
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
