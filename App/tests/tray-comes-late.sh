#!/usr/bin/env bash
# A tray that comes after tovu, and goes again: tovu under Xvfb with no tray,
# then the trayer XEmbed tray started and killed. What tovu shows is read
# with xdotool and xprop at each step: its icon in the tray, the panel as
# the popup under the icon, or the panel as an ordinary window.
#   tray-comes-late.sh TOVU
set -euo pipefail
tovu="$1"
if [[ "${TOVU_PRIVATE_BUS:-}" != 1 ]]; then  # no StatusNotifier watcher: the tray is XEmbed
  exec env -u DISPLAY -u WAYLAND_DISPLAY TOVU_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
source "$(dirname "$0")/x-session.sh"

QT_LOGGING_RULES="app.tovu.app.info=true" "$tovu" 2>"$scratch/log" &
pids+=($!)

# Each visible window of tovu, by what it is, sorted: "icon" (no bigger
# than an icon), "popup" (a utility window, as the panel is under a tray)
# or "window" (an ordinary one).
shown() {
  local w kinds=()
  for w in $(xdotool search --onlyvisible --class tovu 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if ((WIDTH <= 64 && HEIGHT <= 64)); then
      kinds+=(icon)
    elif xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY; then
      kinds+=(popup)
    else
      kinds+=(window)
    fi
  done
  printf '%s\n' "${kinds[@]}" | sort | xargs
}
shows() { [[ "$(shown)" == "$1" ]]; }

trayer_pid=
start_trayer() {
  trayer --edge top --align right --widthtype pixel --width 120 --height 28 --SetDockType true 2>/dev/null &
  trayer_pid=$!
  pids+=("$trayer_pid")
}
stop_trayer() { kill "$trayer_pid"; wait "$trayer_pid" 2>/dev/null || true; }
click_icon() {
  local icon
  icon=$(xdotool search --onlyvisible --class tovu | head -1)
  eval "$(xdotool getwindowgeometry --shell "$icon")"
  icon_x=$((X + WIDTH / 2)) icon_y=$((Y + HEIGHT / 2)) icon_bottom=$((Y + HEIGHT))
  xdotool mousemove "$icon_x" "$icon_y" click 1
}
under_icon() {  # the popup opened under the icon it came from
  local panel
  panel=$(xdotool search --onlyvisible --class tovu | while read -r w; do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if ((WIDTH > 64)); then echo "$w"; fi
  done)
  eval "$(xdotool getwindowgeometry --shell "$panel")"
  ((Y >= icon_bottom && Y <= icon_bottom + 12 && X <= icon_x && X + WIDTH >= icon_x)) \
    || fail "the popup at $X,$Y (${WIDTH}x$HEIGHT) is not under the icon at $icon_x,$icon_y"
}

# step | what tovu then shows
steps=(
  "nothing            | window"  # no tray at the start: the panel as a window, after a grace
  "start_trayer       | icon"    # the tray comes: the icon in it, and the window is gone
  "click_icon         | icon popup"
  "xdotool key Escape | icon"
  "stop_trayer        | "
  "$tovu --show       | window"  # the tray went: the window again at the next opening
  "start_trayer       | icon"
)
nothing() { :; }
for step in "${steps[@]}"; do
  action=$(echo "${step%%|*}" | xargs) want=$(echo "${step#*|}" | xargs)
  echo "# $action: $want"
  $action
  eventually shows "$want" || fail "after $action tovu shows \"$(shown)\", not \"$want\""
  if [[ "$action" == click_icon ]]; then under_icon; fi
done
grep -q "tray: XEmbed" "$scratch/log" || fail "no XEmbed tray in the log"
echo "PASS"
