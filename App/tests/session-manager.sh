#!/usr/bin/env bash
# tovu under an X session manager: a checkpoint save and a logout's save
# leave the power-off window shut (the guard keeps judging quit requests),
# and the manager's Die at the end of the logout ends tovu at once.
#   session-manager.sh TOVU MANAGER
set -euo pipefail
source "$(dirname "$0")/x-session.sh"

# One log for both, so the order of their lines is the order of events.
: >"$scratch/log"
"$2" "$scratch/log" >"$scratch/address" &
pids+=($!)
eventually test -s "$scratch/address" || fail "the session manager did not start"
SESSION_MANAGER=$(cat "$scratch/address") start_tovu
eventually at_least 1 "manager: die" || fail "the manager's steps did not all run"
eventually sh -c "! kill -0 $app 2>/dev/null" || fail "tovu outlived the session"
wait "$app" || fail "tovu ended with $? at the logout"
steps=$(grep -o 'manager: .*\|will power off' "$scratch/log" | tr '\n' ';')
[[ "$steps" == "manager: checkpoint;manager: checkpoint saved;manager: logout;manager: logout saved;manager: die;" ]] \
  || fail "steps: $steps"
echo "PASS"
