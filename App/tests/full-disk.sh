#!/usr/bin/env bash
# A nearly full disk, for real: the settings folder on a small tmpfs in a
# private mount namespace. A save that cannot be written whole leaves the old
# file as it was and says so, from the command line and from the running
# tray application alike, and the next start reads the old list.
#   full-disk.sh TOVU
set -euo pipefail
if [[ "${TOVU_UNSHARED:-}" != 1 ]]; then
  if [[ "$(id -u)" -ne 0 ]] || ! unshare -m true 2>/dev/null; then
    echo "full-disk.sh: needs root for a private mount namespace (CI runs as root)"
    exit 77
  fi
  exec env TOVU_UNSHARED=1 unshare -m "$0" "$@"
fi
source "$(dirname "$0")/session.sh"
unset DBUS_SESSION_BUS_ADDRESS  # the running tovu is reached by its socket
export QT_QPA_PLATFORM=offscreen
mount -t tmpfs -o size=512k tmpfs "$XDG_CONFIG_HOME"
trap 'umount -l "$XDG_CONFIG_HOME"; cleanup' EXIT
/usr/bin/python3 -c 'import json, sys
for name, count in (("first", 300), ("second", 320)):
    rows = [{"id": f"{name}-{i}", "kind": "custom", "text": f"{name} message {i}: 0501234567, رسالة"} for i in range(count)]
    open(f"{sys.argv[1]}/{name}.json", "w").write(json.dumps(rows))' "$scratch"
conf="$XDG_CONFIG_HOME/tovu/tovu.conf"
"$tovu" messages import "$scratch/first.json" >/dev/null
cp "$conf" "$scratch/saved.conf"
# Fill the disk, then free less than one file of room.
dd if=/dev/zero of="$XDG_CONFIG_HOME/filler" bs=4k 2>/dev/null || true
truncate -s "-$(($(stat -c %s "$conf") / 2))" "$XDG_CONFIG_HOME/filler"
unchanged() { cmp "$conf" "$scratch/saved.conf" || fail "the settings file changed"; }
refused() {  # refused WHY: the next import fails, says WHY, and the file stays
  if "$tovu" messages import "$scratch/second.json" 2>"$scratch/err"; then fail "an import saved on a full disk"; fi
  grep -q "$1" "$scratch/err" || fail "no \"$1\" but: $(cat "$scratch/err")"
  unchanged
}

refused "No space left on device"
# The tray application: its save fails, it says so, and the file stays.
start_tovu
eventually test -S "$XDG_RUNTIME_DIR/tovu.socket" || fail "tovu did not start"
refused "the running tovu could not save"
kill -TERM "$app"
wait "$app" || true
at_least 1 "settings not saved" || fail "no error logged"
unchanged
[[ -z "$(find "$XDG_CONFIG_HOME/tovu" -mindepth 1 ! -name tovu.conf)" ]] || fail "leftovers: $(ls -A "$XDG_CONFIG_HOME/tovu")"
# The next start reads the list as it was.
"$tovu" messages --json >"$scratch/now.json"
/usr/bin/python3 -c "import json, sys; sys.exit(json.load(open(sys.argv[1])) != json.load(open(sys.argv[2])))" \
  "$scratch/now.json" "$scratch/first.json" || fail "the list changed"
echo "full disk: the old list survived every failed save"
