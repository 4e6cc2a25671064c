#!/usr/bin/env bash
# tovu on sway, a tiling Wayland compositor, with waybar's tray: the icon is
# a StatusNotifierItem in waybar, the panel floats at its own size (a tiled
# window would fill the workspace) with the desktop file's app id, and after
# waybar restarts the item is in the new tray.
#   sway.sh TOVU
set -euo pipefail
source "$(dirname "$0")/session.sh"

# sway refuses to run as root (CI's user): then sway alone runs as nobody,
# in a folder of its own, and the rest reaches its sockets as root.
sway_dir="$scratch/sway"
mkdir -m 0700 "$sway_dir"
printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x800\n' >"$sway_dir/config"
as_sway=()
if [[ $EUID -eq 0 ]]; then
  chmod 0711 "$scratch" && chown -R 65534:65534 "$sway_dir"
  as_sway=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
env -u DBUS_SESSION_BUS_ADDRESS HOME="$sway_dir" XDG_RUNTIME_DIR="$sway_dir" WLR_BACKENDS=headless \
  WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 "${as_sway[@]}" sway -c "$sway_dir/config" >"$scratch/sway.log" 2>&1 &
pids+=($!)
eventually compgen -G "$sway_dir/sway-ipc.*.sock" >/dev/null || { cat "$scratch/sway.log"; fail "sway did not start"; }
SWAYSOCK=$(compgen -G "$sway_dir/sway-ipc.*.sock")
export SWAYSOCK WAYLAND_DISPLAY="$sway_dir/wayland-1" QT_QPA_PLATFORM=wayland
printf '{"position": "top", "height": 28, "modules-right": ["tray"]}\n' >"$scratch/waybar.json"
start_waybar() { waybar -c "$scratch/waybar.json" >"$scratch/waybar.log" 2>&1 & waybar=$! && pids+=("$waybar"); }
listed() {  # tovu's item is on the list of waybar's watcher
  gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher \
    -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems 2>/dev/null \
    | grep -q "StatusNotifierItem-$app-"
}
panel() {  # the panel's window as sway has it: APP_ID FLOATING WIDTH HEIGHT
  swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node, floating):
    if node.get("pid"):
        print(node.get("app_id"), floating, node["rect"]["width"], node["rect"]["height"])
    for child in node.get("nodes", []): walk(child, floating)
    for child in node.get("floating_nodes", []): walk(child, True)
walk(json.load(sys.stdin), False)'
}
has_panel() { [[ -n "$(panel)" ]]; }

echo "# waybar's tray shows tovu's item"
start_waybar
start_tovu
eventually listed || fail "tovu's item is not in waybar's tray"
# (The panel opened before tovu knows of its tray would give way to the icon.)
eventually at_least 1 "tray: StatusNotifierItem" || fail "tovu does not know its item is shown"
echo "# the panel floats at its own size, as app.tovu.tovu"
"$tovu" --show
eventually has_panel || fail "no panel on sway"
read -r app_id floating width height <<<"$(panel)"
[[ "$app_id" == app.tovu.tovu ]] || fail "the panel's app id is $app_id"
[[ "$floating" == True && "$width" -eq 340 && "$height" -lt 700 ]] \
  || fail "the panel is $([[ $floating == True ]] && echo floating || echo tiled) at ${width}x$height"
echo "# waybar restarts: tovu's item is in the new tray"
kill "$waybar"
start_waybar
eventually listed || fail "tovu's item is not in the restarted waybar's tray"
echo "PASS"
