#!/usr/bin/env bash
# tovu as a Wayland client: weston with its X11 backend inside Xvfb, Qt's
# wayland platform, the clipboard set with wl-copy. A compositor offers the
# clipboard only to the focused window, so the copied number prefills only
# when the panel reads it after it has the focus.
#   wayland.sh TOVU
set -euo pipefail
source "$(dirname "$0")/x-session.sh"
start_weston
export WAYLAND_DISPLAY=wayland-tovu QT_QPA_PLATFORM=wayland
# tovu sees Wayland only; xdotool still types into weston's X11 window.
DISPLAY='' diagnosed "display server: Wayland (WAYLAND_DISPLAY=wayland-tovu)" "qt platform: wayland"

echo "# copied before the start: the panel (a window here, no tray) opens with it"
printf 'call me on 0551234567' | DISPLAY='' wl-copy
DISPLAY='' start_tovu
eventually at_least 1 "clipboard on open" || fail "the clipboard was never read"
sleep 0.3
# The whole panel is drawn: weston's output fills the X screen, and only a
# panel painted just where it changed leaves pure black on it.
black=$(import -window root png:- | convert png:- -fill white +opaque black \
  -format '%[fx:int(w*h*(1-mean))]' info:)
[[ $black -lt 2000 ]] || fail "$black black pixels: the panel was painted only in part"
xdotool key Return
opens "whatsapp://send?phone=966551234567"

echo "# copied while it runs: the next opening reads the new number"
xdotool key Escape
eventually at_least 1 "panel closed" || fail "Escape did not close the panel"
printf '0501234567' | DISPLAY='' wl-copy
DISPLAY='' "$tovu" --show || fail "tovu --show exited $?"
eventually at_least 2 "clipboard on open" || fail "the clipboard was not read again"
sleep 0.3
xdotool key Return
opens "whatsapp://send?phone=966501234567"
echo "PASS"
