#!/usr/bin/env bash
# Starts the program under Xvfb with the openbox window manager (when installed) on the sample
# logs, chooses the first log, and saves a screenshot of the window; then, with the build's
# skelvar-screens, the live view and the other windows into windows/ beside OUT.png.
# Usage: scripts/screenshot.sh BIN_DIR OUT.png
set -euo pipefail
bin_dir=$(cd "${1:?bin folder}" && pwd)
out=${2:?output png}
root=$(cd "$(dirname "$0")/.." && pwd)

work=$(mktemp -d)
trap 'kill ${app_pid:-0} ${wm_pid:-0} ${xvfb_pid:-0} 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/sim/logs"
cp "$bin_dir/skelvar" "$work/program/"
cp "$root"/data/samples/logs/*.txt "$work/sim/logs/"
# Settings as a previous run would have left them: the logs folder, the Logs view.
printf '%s\r\n\r\n1\r\n\r\n0.08\r\n1\r\n2000\r\n2\r\n14\r\nxzy\r\n\r\n' "$work/sim/logs" \
  > "$work/program/mm.dat"

. "$root/scripts/lib/display.sh"
start_display

"$work/program/skelvar" >/dev/null 2>&1 &
app_pid=$!
win=""
for _ in $(seq 100); do
  win=$(xdotool search --name '^Skelvar  ' 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 1
# Focus the log list and choose its first entry with the keyboard.
xdotool mousemove --window "$win" 80 400 click 1
xdotool key --window "$win" Home
sleep 1.5
mkdir -p "$(dirname "$out")"
import -window "$win" "$out"
echo "saved $out"

# The other windows and the live view, when the build has the picture taker.
screens="$bin_dir/../tests/skelvar-screens"
if [ -x "$screens" ]; then
  kill "$app_pid" 2>/dev/null || true
  "$screens" "$bin_dir" "$(dirname "$out")/windows"
fi
