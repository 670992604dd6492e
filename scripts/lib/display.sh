# Sourced by the screenshot scripts: starts Xvfb on a free display with the openbox window
# manager (when installed), exports DISPLAY, and stops both on exit. Needs $work (a scratch
# folder the caller removes).
start_display() {
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
}
