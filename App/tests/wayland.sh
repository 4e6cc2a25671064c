#!/usr/bin/env bash
# tovu as a Wayland client: weston with its X11 backend inside Xvfb (so it
# has a seat, and xdotool's keys reach it), Qt's wayland platform, the
# clipboard set with wl-copy. A compositor offers the clipboard only to the
# focused window, so the copied number prefills only when the panel reads
# it after it has the focus.
#   wayland.sh TOVU
set -euo pipefail
tovu="$1"
if [[ "${TOVU_PRIVATE_BUS:-}" != 1 ]]; then
  exec env -u DISPLAY -u WAYLAND_DISPLAY TOVU_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
source "$(dirname "$0")/x-session.sh"

# No panel of weston's own, no on-screen keyboard over ours.
printf '[core]\nshell=desktop-shell.so\n[shell]\npanel-position=none\n[input-method]\npath=/bin/true\n' \
  >"$scratch/weston.ini"
weston --config="$scratch/weston.ini" --backend=x11-backend.so --socket=wayland-tovu --width=1280 --height=800 \
  --idle-time=0 >"$scratch/weston.log" 2>&1 &
pids+=($!)
eventually test -S "$XDG_RUNTIME_DIR/wayland-tovu" || { cat "$scratch/weston.log"; fail "weston did not start"; }
export WAYLAND_DISPLAY=wayland-tovu QT_QPA_PLATFORM=wayland
# tovu sees Wayland only; xdotool still types into weston's X11 window.
wayland() { env -u DISPLAY "$@"; }
x11="$DISPLAY"

diagnosis=$(wayland "$tovu" --diagnose 2>/dev/null)
grep -qx "display server: Wayland (WAYLAND_DISPLAY=wayland-tovu)" <<<"$diagnosis" || fail "diagnose: $diagnosis"
grep -qx "qt platform: wayland" <<<"$diagnosis" || fail "diagnose: $diagnosis"

echo "# copied before the start: the panel (a window here, no tray) opens with it"
printf 'call me on 0551234567' | wayland wl-copy
QT_LOGGING_RULES="app.tovu.app.info=true" wayland "$tovu" 2>"$scratch/log" &
pids+=($!)
eventually grep -q "clipboard on open" "$scratch/log" || fail "the clipboard was never read"
sleep 0.3
# The whole panel is drawn: weston's output fills the X screen, and only a
# panel painted just where it changed leaves pure black on it.
black=$(DISPLAY="$x11" import -window root png:- | convert png:- -fill white +opaque black \
  -format '%[fx:int(w*h*(1-mean))]' info:)
[[ $black -lt 2000 ]] || fail "$black black pixels: the panel was painted only in part"
xdotool key Return
eventually test -s "$scratch/opened" || fail "nothing was opened"
[[ "$(cat "$scratch/opened")" == "whatsapp://send?phone=966551234567" ]] || fail "opened $(cat "$scratch/opened")"

echo "# copied while it runs: the next opening reads the new number"
xdotool key Escape
eventually grep -q "panel closed" "$scratch/log" || fail "Escape did not close the panel"
: >"$scratch/opened"
printf '0501234567' | wayland wl-copy
wayland "$tovu" --show || fail "tovu --show exited $?"
eventually test "$(grep -c 'clipboard on open' "$scratch/log")" -eq 2 || fail "the clipboard was not read again"
sleep 0.3
xdotool key Return
eventually test -s "$scratch/opened" || fail "nothing was opened"
[[ "$(cat "$scratch/opened")" == "whatsapp://send?phone=966501234567" ]] || fail "opened $(cat "$scratch/opened")"
echo "PASS"
