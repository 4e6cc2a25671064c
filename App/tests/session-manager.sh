#!/usr/bin/env bash
# tovu under an X session manager: a checkpoint save and a logout's save
# leave the power-off window shut (the guard keeps judging quit requests),
# and the manager's Die at the end of the logout ends tovu at once.
#   session-manager.sh TOVU MANAGER
set -euo pipefail
tovu="$1" manager="$2"
if [[ "${TOVU_PRIVATE_BUS:-}" != 1 ]]; then
  exec env -u DISPLAY -u WAYLAND_DISPLAY TOVU_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
source "$(dirname "$0")/x-session.sh"

# One log for both, so the order of their lines is the order of events.
: >"$scratch/log"
"$manager" "$scratch/log" >"$scratch/address" &
pids+=($!)
eventually test -s "$scratch/address" || fail "the session manager did not start"
SESSION_MANAGER=$(cat "$scratch/address") QT_LOGGING_RULES="app.tovu.app.info=true" "$tovu" 2>>"$scratch/log" &
app=$!
pids+=("$app")
eventually grep -q "manager: die" "$scratch/log" || fail "the manager's steps did not all run"
eventually sh -c "! kill -0 $app 2>/dev/null" || fail "tovu outlived the session"
status=0
wait "$app" || status=$?
[[ $status -eq 0 ]] || fail "tovu ended with $status at the logout"
steps=$(grep -o 'manager: .*\|will power off' "$scratch/log" | tr '\n' ';')
[[ "$steps" == "manager: checkpoint;manager: checkpoint saved;manager: logout;manager: logout saved;manager: die;" ]] \
  || fail "steps: $steps"
echo "PASS"
