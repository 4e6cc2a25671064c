#!/usr/bin/env bash
# A nearly full disk, for real: the settings folder on a small tmpfs in a
# private mount namespace. A save that cannot be written whole leaves the old
# file as it was and says so, from the command line and from the running
# tray application alike, and the next start reads the old list.
#   full-disk.sh TOVU
set -euo pipefail
tovu="$1"
if [[ "$(id -u)" -ne 0 ]] || ! unshare -m true 2>/dev/null; then
  echo "full-disk.sh: needs root for a private mount namespace (CI runs as root)"
  exit 77
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import json, sys
work = sys.argv[1]
for name, count in (("first", 300), ("second", 320)):
    rows = [{"id": f"{name}-{i}", "kind": "custom", "text": f"{name} message {i}: 0501234567, رسالة"} for i in range(count)]
    open(f"{work}/{name}.json", "w").write(json.dumps(rows))
PY
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"

WORK="$work" TOVU="$tovu" unshare -m bash -euo pipefail -c '
  mount -t tmpfs -o size=512k tmpfs "$WORK/home"
  export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/config" XDG_RUNTIME_DIR="$WORK/runtime"
  export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="app.tovu.app.info=true"
  unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
  conf="$HOME/config/tovu/tovu.conf"
  "$TOVU" messages import "$WORK/first.json" >/dev/null
  cp "$conf" "$WORK/saved.conf"
  size=$(stat -c %s "$conf")
  # Fill the disk, then free less than one file of room.
  dd if=/dev/zero of="$HOME/filler" bs=4k 2>/dev/null || true
  truncate -s "-$((size / 2))" "$HOME/filler"

  if "$TOVU" messages import "$WORK/second.json" 2>"$WORK/err"; then
    echo "FAIL: the import said it saved on a full disk"; exit 1
  fi
  grep -q "No space left on device" "$WORK/err" || { echo "FAIL: no reason given:"; cat "$WORK/err"; exit 1; }
  cmp "$conf" "$WORK/saved.conf" || { echo "FAIL: the settings file changed"; exit 1; }

  # The tray application: its save fails, it says so, and the file stays.
  "$TOVU" 2>"$WORK/app.log" &
  app=$!
  for _ in $(seq 100); do [[ -S "$XDG_RUNTIME_DIR/tovu.socket" ]] && break; sleep 0.1; done
  if "$TOVU" messages import "$WORK/second.json" 2>"$WORK/err"; then
    echo "FAIL: the running tovu said it saved on a full disk"; exit 1
  fi
  grep -q "the running tovu could not save" "$WORK/err" || { echo "FAIL:"; cat "$WORK/err"; exit 1; }
  kill -TERM "$app"; wait "$app" || true
  grep -q "settings not saved" "$WORK/app.log" || { echo "FAIL: no error logged:"; cat "$WORK/app.log"; exit 1; }
  cmp "$conf" "$WORK/saved.conf" || { echo "FAIL: the settings file changed"; exit 1; }
  if ls -A "$HOME/config/tovu" | grep -v "^tovu.conf$"; then echo "FAIL: leftovers (above)"; exit 1; fi

  # The next start reads the list as it was.
  "$TOVU" messages --json >"$WORK/now.json"
  python3 -c "import json,sys; a=json.load(open(sys.argv[1])); b=json.load(open(sys.argv[2])); sys.exit(a!=b)" \
    "$WORK/now.json" "$WORK/first.json" || { echo "FAIL: the list changed"; exit 1; }
'
echo "full disk: the old list survived every failed save"
