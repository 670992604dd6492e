#!/usr/bin/env bash
# Unpacks the built .deb into a temporary root (no installation) and checks that it holds the
# program folder under opt/skelvar, the menu entry and the icon, and that the unpacked
# companion starts. Builds nothing: run it after cpack.
# Usage: scripts/test-package.sh [BUILD_DIR | PACKAGE.deb]   (default build/release)
# Exit 77 (skipped, for CTest) when there is no package yet or no dpkg-deb.
set -euo pipefail

target="${1:-build/release}"
if [ -d "$target" ]; then
  deb=$(ls -t "$target"/skelvar-*.deb 2>/dev/null | head -n 1 || true)
else
  deb="$target"
fi
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
  echo "test-package: no skelvar-*.deb in $target; run cpack first" >&2
  exit 77
fi
if ! command -v dpkg-deb >/dev/null; then
  echo "test-package: dpkg-deb is missing" >&2
  exit 77
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

fail=0
check() {
  if [ ! -e "$root/$1" ]; then
    echo "test-package: $deb lacks /$1" >&2
    fail=1
  fi
}
check opt/skelvar/bin/skelvar-cli
check opt/skelvar/bin/skelvar
check usr/share/applications/skelvar.desktop
check usr/share/icons/hicolor/scalable/apps/skelvar.svg
# The shipped data: look-up tables, icons and the map library.
for f in airlines iata az5 imgs/p0.gif imgs/p350.gif leaflet.js leaflet.css; do
  check "opt/skelvar/bin/system/$f"
done

if [ "$(dpkg-deb -f "$deb" Package)" != "skelvar" ]; then
  echo "test-package: package name is not skelvar" >&2
  fail=1
fi
if ! dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6'; then
  echo "test-package: Depends lacks libqt6widgets6: $(dpkg-deb -f "$deb" Depends)" >&2
  fail=1
fi

if [ "$("$root/opt/skelvar/bin/skelvar-cli" --version)" != "Skelvar $(dpkg-deb -f "$deb" Version)" ]; then
  echo "test-package: the unpacked skelvar-cli --version does not name the package's version" >&2
  fail=1
fi
if ! help=$("$root/opt/skelvar/bin/skelvar-cli" --help); then
  echo "test-package: the unpacked skelvar-cli --help failed" >&2
  fail=1
elif ! grep -q '^Usage:' <<<"$help"; then
  echo "test-package: the unpacked skelvar-cli --help printed no usage" >&2
  fail=1
fi

[ "$fail" -eq 0 ] && echo "test-package: $deb is complete and its skelvar-cli runs"
exit "$fail"
