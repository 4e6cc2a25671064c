# shellcheck shell=bash
# Sourced by the tests that run tovu in a real X session: all of session.sh,
# Xvfb as $DISPLAY, and the trays and compositor they may start.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

# Xvfb picks a free display itself; a server that does not answer is
# replaced. -noreset: a server resets when its last client leaves, and a
# client that connects during the reset (trayer or tovu, just after xdpyinfo
# left) is turned away with "cannot open display".
for attempt in 1 2 3; do
  : >"$scratch/display"
  exec 3>"$scratch/display"
  Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp 2>"$scratch/xvfb.log" &
  xvfb=$! && pids+=("$xvfb")
  exec 3>&-
  eventually test -s "$scratch/display" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$scratch/display")"
  if eventually xdpyinfo >/dev/null 2>&1; then break; fi
  [[ $attempt -lt 3 ]] || { cat "$scratch/xvfb.log"; fail "Xvfb on $DISPLAY does not answer"; }
  kill "$xvfb" 2>/dev/null || true
done

windows() { xdotool search --onlyvisible --class tovu 2>/dev/null || true; }  # tovu's visible windows
shows() { test "$(windows | wc -l)" -eq "$1"; }  # shows N: N of them
start_trayer() {  # the XEmbed tray, its pid in $trayer
  trayer --edge top --align right --widthtype pixel --width 120 --height 28 --SetDockType true 2>>"$scratch/trayer.log" &
  trayer=$! && pids+=("$trayer")
  eventually xdotool search --class trayer >/dev/null || fail "no tray host"
}
stop_trayer() { kill "$trayer"; wait "$trayer" 2>/dev/null || true; }
# weston with its X11 backend in Xvfb (so it has a seat, and xdotool's keys
# reach it) at wayland-tovu; no panel of its own, no on-screen keyboard over
# ours.
start_weston() {
  printf '[core]\nshell=desktop-shell.so\n[shell]\npanel-position=none\n[input-method]\npath=/bin/true\n' \
    >"$scratch/weston.ini"
  weston --config="$scratch/weston.ini" --backend=x11-backend.so --socket=wayland-tovu --width=1280 --height=800 \
    --idle-time=0 >"$scratch/weston.log" 2>&1 &
  pids+=($!)
  eventually test -S "$XDG_RUNTIME_DIR/wayland-tovu" || { cat "$scratch/weston.log"; fail "weston did not start"; }
}
diagnosed() {  # diagnosed LINE…: --diagnose says each LINE, whole, of the desktop as it stands
  local report
  report=$("$tovu" --diagnose 2>/dev/null)
  for line in "$@"; do grep -qxF "$line" <<<"$report" || fail "--diagnose lacks \"$line\": $report"; done
}
