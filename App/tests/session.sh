# shellcheck shell=bash
# Sourced by the system tests, after `set -euo pipefail`: the script runs
# again inside a D-Bus session of its own; $tovu is its first argument; a
# scratch home with its XDG folders; a fake WhatsApp registered for
# whatsapp: links that writes down every link it is given ($scratch/opened);
# fail, within, eventually and tovu's start and log; the processes in $pids ended on
# exit. $tests is this folder, where Python finds checks.py.
if [[ "${TOVU_PRIVATE_BUS:-}" != 1 ]]; then  # the accessibility bus too is then this session's
  exec env -u DISPLAY -u WAYLAND_DISPLAY -u AT_SPI_BUS_ADDRESS TOVU_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
tovu="$1"
scratch=$(mktemp -d)
pids=()
# A stopped process (a test may pause one) ends only once it is continued.
cleanup() { kill "${pids[@]}" 2>/dev/null || true; kill -CONT "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$scratch"; }
trap cleanup EXIT
mkdir -p "$scratch/config" "$scratch/data/applications"
mkdir -m 0700 "$scratch/runtime"
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/runtime"
tests="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export TZ=Asia/Riyadh LANGUAGE=en LANG=C.UTF-8 QT_LOGGING_RULES="app.tovu.app.info=true" \
  PYTHONPATH="$tests" PYTHONDONTWRITEBYTECODE=1  # no cache in the source tree

# shellcheck disable=SC2016  # the $1 is the fake's own
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s/opened"\n' "$scratch" >"$scratch/whatsapp.sh"
chmod +x "$scratch/whatsapp.sh"
printf '[Desktop Entry]\nType=Application\nName=Fake WhatsApp\nExec=%s %%u\nMimeType=x-scheme-handler/whatsapp;\nNoDisplay=true\n' \
  "$scratch/whatsapp.sh" >"$scratch/data/applications/fake-whatsapp.desktop"
printf '[Default Applications]\nx-scheme-handler/whatsapp=fake-whatsapp.desktop\n' >"$scratch/config/mimeapps.list"

fail() {
  echo "FAIL: $*"; echo "--- tovu's log"; cat "$scratch/log" || true
  if [[ -n "${xvfb:-}" ]]; then echo "--- Xvfb on $DISPLAY ($(kill -0 "$xvfb" 2>/dev/null && echo up || echo gone))"; tail -5 "$scratch/xvfb.log"; fi
  if [[ -s "$scratch/trayer.log" ]]; then echo "--- trayer"; tail -5 "$scratch/trayer.log"; fi
  exit 1
}
within() {  # within SECONDS COMMAND…: COMMAND succeeds within SECONDS, tried every tenth of a second
  local tries=$(($1 * 10)); shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}
eventually() { within 10 "$@"; }  # eventually COMMAND…: within ten seconds
# shellcheck disable=SC2120  # most starts take no arguments
start_tovu() {  # start_tovu [ARGUMENT…]: tovu in the background, its pid in $app, its log in $scratch/log
  "$tovu" "$@" 2>>"$scratch/log" & app=$! && pids+=("$app")
}
stop_tovu() { kill "$app"; wait "$app" 2>/dev/null || true; }
logged() { grep -c "$1" "$scratch/log" || true; }  # how many lines of tovu's log hold TEXT
# at_least N TEXT: N lines of the log say TEXT. A test of its own, so that
# `eventually` counts afresh at each try.
at_least() { [[ "$(logged "$2")" -ge "$1" ]]; }
opens() {  # opens LINK: the fake WhatsApp was given LINK and nothing else; then it forgets
  eventually test -s "$scratch/opened" || fail "nothing was opened"
  [[ "$(cat "$scratch/opened")" == "$1" ]] || fail "opened $(cat "$scratch/opened"), not $1"
  : >"$scratch/opened"
}
