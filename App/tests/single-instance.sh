#!/usr/bin/env bash
# One tovu per user, for real: ten starts at once on a private session bus
# and ten without any bus (the lock), org.freedesktop.Application over
# gdbus, a paused instance that keeps its name, and the links tovu handles.
#   single-instance.sh TOVU
set -euo pipefail
tovu="$1"
if [[ "${TOVU_PRIVATE_BUS:-}" != 1 ]]; then
  exec env -u DISPLAY -u WAYLAND_DISPLAY TOVU_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
scratch=$(mktemp -d)
trap 'pkill -CONT -f "^$tovu\$" 2>/dev/null || true; pkill -f "^$tovu" 2>/dev/null || true; rm -rf "$scratch"' EXIT
mkdir -m 0700 "$scratch/runtime"
# Started under a name of its own, so that the tovus of other tests running
# meanwhile are not counted.
ln -s "$(readlink -f "$tovu")" "$scratch/tovu"
tovu="$scratch/tovu"
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="app.tovu.app.info=true"
fail() { echo "FAIL: $*"; exit 1; }
instances() { pgrep -c -f "^$tovu\$" || true; }
eventually() { for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done; return 1; }
none_left() { [[ "$(instances)" == 0 ]]; }
at_most_one() { [[ "$(instances)" -le 1 ]]; }
just_one() { [[ "$(instances)" == 1 ]]; }

# Ten starts at once: one instance; every other start exits 0 having asked
# it, which shows its panel once for each.
race() {
  local pids=() status=0 shown
  shown=$(grep -c "panel shown" "$scratch/log" 2>/dev/null || true)
  for i in $(seq 10); do "$tovu" 2>>"$scratch/log" & pids+=($!); done
  eventually at_most_one || fail "$(instances) instances ($1)"
  for pid in "${pids[@]}"; do
    if [[ "$(pgrep -f "^$tovu\$")" == "$pid" ]]; then continue; fi
    wait "$pid" || status=$?
  done
  [[ "$status" == 0 ]] || fail "a start exited $status ($1)"
  [[ "$(instances)" == 1 ]] || fail "$(instances) instances ($1)"
  shown_all() { [[ "$(grep -c "panel shown" "$scratch/log")" -ge $((shown + 10)) ]]; }
  eventually shown_all || fail "not every start reached the instance ($1)"
  echo "$1: 10 starts, 1 instance, 10 panels shown"
}

race "session bus"
eventually grep -q "panel shown" "$scratch/log" || fail "the instance never came up"
reopens() { grep -c "reopen" "$scratch/log" || true; }
reopened() { [[ "$(reopens)" -ge "$1" ]]; }  # at least $1 reopens so far
before=$(reopens)
gdbus call --session --dest app.tovu.tovu --object-path /app/tovu/tovu \
  --method org.freedesktop.Application.Activate "{'activation-token': <'token-1'>}" >/dev/null
gdbus call --session --dest app.tovu.tovu --object-path /app/tovu/tovu \
  --method org.freedesktop.Application.ActivateAction show "[]" "{}" >/dev/null
if gdbus call --session --dest app.tovu.tovu --object-path /app/tovu/tovu \
  --method org.freedesktop.Application.ActivateAction no-such-action "[]" "{}" 2>/dev/null; then
  fail "an unknown action was taken"
fi
"$tovu" --show
"$tovu" "tel:+966-50-123-4567;ext=9"
"$tovu" "tovu://somewhere-else"
eventually grep -q "link ignored: tovu://somewhere-else" "$scratch/log" || fail "an unknown tovu: link was not ignored"
eventually reopened $((before + 4)) || fail "reopens: $(reopens), expected $((before + 4))"

# A paused instance keeps its name: the next start asks it and leaves.
pid=$(pgrep -f "^$tovu\$")
before=$(reopens)
kill -STOP "$pid"
timeout 20 "$tovu" || fail "a start beside a paused instance exited $?"
[[ "$(instances)" == 1 ]] || fail "a second instance beside the paused one"
kill -CONT "$pid"
eventually reopened $((before + 1)) || fail "the paused instance never showed its panel"
kill -TERM "$pid"
eventually none_left || fail "tovu did not end on SIGTERM"

# Without a session bus: the lock decides.
(
  unset DBUS_SESSION_BUS_ADDRESS
  race "no bus"
  "$tovu" --show
  pid=$(pgrep -f "^$tovu\$")
  kill -TERM "$pid"
  eventually none_left || fail "tovu did not end on SIGTERM"
)
echo "one instance in every race"
