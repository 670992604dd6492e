#!/usr/bin/env bash
# Starts the program under Xvfb with the openbox window manager (when installed) on the sample
# logs, chooses the first log, and saves a screenshot of the window. Usage: scripts/screenshot.sh BIN_DIR OUT.png
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

# Xvfb picks a free display and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1600x1000x24 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
# A real window manager gives focus and activation as on a desktop.
if command -v openbox >/dev/null; then
  openbox >/dev/null 2>&1 &
  wm_pid=$!
  sleep 0.5
fi

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
