#!/usr/bin/env bash
# One tovu per user, for real: ten starts at once on a private session bus
# and ten without any bus (the lock), org.freedesktop.Application over
# gdbus, a paused instance that keeps its name, the links tovu handles, and
# the socket a crash leaves behind.
#   single-instance.sh TOVU
set -euo pipefail
source "$(dirname "$0")/session.sh"
# Started under a name of its own, so that the tovus of other tests running
# meanwhile are not counted.
ln -s "$(readlink -f "$tovu")" "$scratch/tovu"
tovu="$scratch/tovu"
trap 'pkill -CONT -f "^$tovu\$" 2>/dev/null || true; pkill -f "^$tovu" 2>/dev/null || true; cleanup' EXIT
export QT_QPA_PLATFORM=offscreen
instances() { pgrep -c -f "^$tovu\$" || true; }
instance() { pgrep -f "^$tovu\$"; }  # the pid of the one running tovu
# ends_on_sigterm: the running tovu, a child of this shell, ends on SIGTERM with status 0.
ends_on_sigterm() {
  local pid; pid=$(instance)
  kill -TERM "$pid"
  wait "$pid" || fail "tovu ended with $? on SIGTERM"
}
at_most() { [[ "$(instances)" -le "$1" ]]; }
application() {
  gdbus call --session --dest app.tovu.tovu --object-path /app/tovu/tovu --method org.freedesktop.Application."$1" "${@:2}"
}

# Ten starts at once: one instance; every other start exits 0 having asked
# it, which shows its panel once for each.
race() {
  local starts=() status=0 shown
  shown=$(logged "panel shown")
  for _ in $(seq 10); do "$tovu" 2>>"$scratch/log" & starts+=($!); done
  eventually at_most 1 || fail "$(instances) instances ($1)"
  for pid in "${starts[@]}"; do
    if [[ "$(instance)" != "$pid" ]]; then wait "$pid" || status=$?; fi
  done
  [[ "$status" == 0 ]] || fail "a start exited $status ($1)"
  [[ "$(instances)" == 1 ]] || fail "$(instances) instances ($1)"
  eventually at_least $((shown + 10)) "panel shown" || fail "not every start reached the instance ($1)"
  echo "$1: 10 starts, 1 instance, 10 panels shown"
}

race "session bus"
before=$(logged reopen)
application Activate "{'activation-token': <'token-1'>}" >/dev/null
application ActivateAction show "[]" "{}" >/dev/null
if application ActivateAction no-such-action "[]" "{}" 2>/dev/null; then fail "an unknown action was taken"; fi
"$tovu" --show
"$tovu" "tel:+966-50-123-4567;ext=9"
"$tovu" "tovu://somewhere-else"
eventually at_least 1 "link ignored: tovu://somewhere-else" || fail "an unknown tovu: link was not ignored"
eventually at_least $((before + 4)) reopen || fail "reopens: $(logged reopen), expected $((before + 4))"

# A paused instance keeps its name: the next start asks it, is told that it
# did not answer, and the request is not carried out when it goes on (the
# Activate after it is served in order, so by then it was turned down).
pid=$(instance)
before=$(logged reopen)
kill -STOP "$pid"
status=0
timeout 20 "$tovu" 2>"$scratch/paused.err" || status=$?
[[ $status == 1 ]] && grep -q "did not answer" "$scratch/paused.err" \
  || fail "a start beside a paused instance exited $status: $(cat "$scratch/paused.err")"
[[ "$(instances)" == 1 ]] || fail "a second instance beside the paused one"
kill -CONT "$pid"
application Activate '{}' >/dev/null
[[ "$(logged reopen)" == $((before + 1)) ]] || fail "reopens after the pause: $(logged reopen), expected $((before + 1))"
ends_on_sigterm
# SIGTERM is the session's quit, with the logout's reason ("logo").
at_least 1 "quit request: event 1903520116 reason 1819240303 explicit 0 poweringOff 0 -> quit" || fail "no quit for SIGTERM"

# Without a session bus: the lock decides.
(
  unset DBUS_SESSION_BUS_ADDRESS
  race "no bus"
  socket="$XDG_RUNTIME_DIR/tovu.socket"
  mode=$(stat -c %a "$socket")
  (( 0$mode & 077 )) && fail "others may use the socket: $mode"
  # A crash leaves the socket behind; the next tovu takes its place.
  pid=$(instance)
  { kill -KILL "$pid" && wait "$pid"; } 2>/dev/null || true
  eventually at_most 0 || fail "tovu outlived SIGKILL"
  [[ -S "$socket" ]] || fail "no socket was left behind"
  race "no bus, after a crash"
  "$tovu" --show
  ends_on_sigterm
)
echo "one instance in every race"
