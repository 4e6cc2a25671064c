#!/usr/bin/env bash
# A tray that comes after tovu, and goes again: tovu under Xvfb with no tray,
# then the trayer XEmbed tray started and killed. What tovu shows is read
# with xdotool and xprop at each step: its icon in the tray, the panel as
# the popup under the icon, or the panel as an ordinary window. Then a start
# at login, whose tray comes late.
#   tray-comes-late.sh TOVU
set -euo pipefail
source "$(dirname "$0")/x-session.sh"
start_tovu

# Each visible window of tovu, by what it is, sorted: "icon" (no bigger
# than an icon), "popup" (a utility window, as the panel is under a tray)
# or "window" (an ordinary one). The popup's place is in $popup.
shown() {
  local w kinds=()
  for w in $(windows); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if ((WIDTH <= 64 && HEIGHT <= 64)); then kinds+=(icon)
    elif xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY; then kinds+=(popup) popup="$X $Y $WIDTH"
    else kinds+=(window); fi
  done
  printf '%s\n' "${kinds[@]}" | sort | xargs
}
kinds() { [[ "$(shown)" == "$1" ]]; }
click_icon() {
  eval "$(xdotool getwindowgeometry --shell "$(windows | head -1)")"
  icon_x=$((X + WIDTH / 2)) icon_bottom=$((Y + HEIGHT))
  xdotool mousemove "$icon_x" $((Y + HEIGHT / 2)) click 1
}
under_icon() {  # the popup opened under the icon it came from
  shown >/dev/null  # here, not in a subshell, for $popup
  read -r X Y WIDTH <<<"$popup"
  ((Y >= icon_bottom && Y <= icon_bottom + 12 && X <= icon_x && X + WIDTH >= icon_x)) \
    || fail "the popup at $X,$Y (${WIDTH} wide) is not under the icon at $icon_x,$icon_bottom"
}

# step | what tovu then shows
steps=(
  ":                  | window"  # no tray at the start: the panel as a window, after a grace
  "start_trayer       | icon"    # the tray comes: the icon in it, and the window is gone
  "click_icon         | icon popup"
  "under_icon         | icon popup"
  "xdotool key Escape | icon"
  "stop_trayer        | "
  "$tovu --show       | window"  # the tray went: the window again at the next opening
  "start_trayer       | icon"
)
for step in "${steps[@]}"; do
  action=$(echo "${step%%|*}" | xargs) want=$(echo "${step#*|}" | xargs)
  echo "# $action: $want"
  $action
  eventually kinds "$want" || fail "after $action tovu shows \"$(shown)\", not \"$want\""
done
at_least 1 "tray: XEmbed" || fail "no XEmbed tray in the log"

echo "# started at login (the autostart entry's --login): no window while the tray is late"
stop_tovu
stop_trayer
start_tovu --login
sleep 5  # past the grace of an ordinary start
kinds "" || fail "at login, before any tray came, tovu shows \"$(shown)\""
start_trayer
eventually kinds icon || fail "at login tovu shows \"$(shown)\" once the tray came, not its icon alone"
echo "PASS"
