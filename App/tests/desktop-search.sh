#!/usr/bin/env bash
# tovu in the desktop's search, over the real protocols on a bus of its own:
# GNOME Shell's SearchProvider2 and KRunner's runner, answered first by a
# tovu the bus starts for the search alone (no icon, nothing written, gone
# after a while), then by the running tovu, which takes the name over.
# Each row is a call and what it must answer, or the link it must open.
#   desktop-search.sh TOVU
set -euo pipefail
source "$(dirname "$0")/session.sh"
ln -s "$(readlink -f "$tovu")" "$scratch/tovu"
tovu="$scratch/tovu"
export QT_QPA_PLATFORM=offscreen

# A bus that starts services as the session bus does, from a folder of ours.
mkdir -p "$scratch/services"
printf '[D-BUS Service]\nName=app.tovu.tovu.SearchProvider\nExec=%s --search-provider\n' "$tovu" \
  >"$scratch/services/app.tovu.tovu.SearchProvider.service"
cat >"$scratch/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$scratch/runtime</listen>
  <servicedir>$scratch/services</servicedir>
  <policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>
CONF
# The providers it starts log where the test reads.
exec 3< <(dbus-daemon --config-file="$scratch/bus.conf" --print-address=1 --nofork 2>>"$scratch/log")
read -r DBUS_SESSION_BUS_ADDRESS <&3
export DBUS_SESSION_BUS_ADDRESS
providers() { pgrep -f "^$tovu --search-provider" || true; }
no_provider() { [[ -z "$(providers)" ]]; }
trap 'pkill -f "^$tovu" 2>/dev/null || true; pkill -f "$scratch/bus.conf" 2>/dev/null || true; cleanup' EXIT

shell() {  # shell METHOD ARGUMENT…: GNOME's call
  gdbus call --session --dest app.tovu.tovu.SearchProvider --object-path /app/tovu/tovu/SearchProvider \
    --method org.gnome.Shell.SearchProvider2."$1" "${@:2}"
}
runner() {  # runner METHOD ARGUMENT…: KRunner's call
  gdbus call --session --dest app.tovu.tovu.SearchProvider --object-path /app/tovu/tovu/KRunner \
    --method org.kde.krunner1."$1" "${@:2}"
}
# check WHO: every row, answered by WHO (a tovu started for the search, or the running one).
check() {
  local call expected answer
  while IFS='|' read -r call expected; do
    [[ -z "$call" ]] && continue
    eval "answer=\$($call)" || fail "$1: $call failed"
    if [[ "$expected" == opens:* ]]; then
      opens "${expected#opens:}"
    elif [[ "$answer" != *"$expected"* ]]; then
      fail "$1: $call answered $answer, not …$expected…"
    fi
  done <<'ROWS'
shell GetInitialResultSet "['0501234567']"|(['chat:966501234567'],)
shell GetInitialResultSet "['call', '+44', '7400', '123456', 'or', '0551234567']"|(['chat:447400123456', 'chat:966551234567'],)
shell GetSubsearchResultSet "['chat:966501234567']" "['0551234567']"|(['chat:966551234567'],)
shell GetInitialResultSet "['eid']"|(['message:eid'],)
shell GetInitialResultSet "['MUBARAK']"|(['message:eid', 'message:jumuah'],)
shell GetInitialResultSet "['e']"|(@as [],)
shell GetInitialResultSet "['iban']"|(@as [],)
shell GetInitialResultSet "['0501234567']"|
shell GetResultMetas "['chat:966501234567']"|'name': <'Open chat with \u2066+966 50 123 4567\u2069'>
shell GetInitialResultSet "['eid']"|
shell GetResultMetas "['message:eid']"|'description': <'May God accept from us
shell ActivateResult chat:966501234567 "['0501234567']" 0|opens:whatsapp://send?phone=966501234567
runner Match 0501234567|[('chat:966501234567', 'Open chat with \u2066+966 50 123 4567\u2069', 'app.tovu.tovu', 100, 1.0, @a{sv} {})]
runner Match eid|('message:eid', 'Eid Mubarak 🌙', 'app.tovu.tovu', 30, 0.5, {'subtext': <'May God accept
runner Run message:thanks ''|opens:whatsapp://send?text=Thank%20you%20so%20much%20%F0%9F%8C%B9%0AI%20really%20appreciate%20it
runner Actions|(@a(sss) [],)
ROWS
}

# No tovu runs: the bus starts one for the search alone.
check "a tovu started for the search"
[[ -n "$(providers)" ]] || fail "no provider was started"
at_least 1 "search providers published (alone)" || fail "the provider did not say it was alone"
[[ ! -e "$XDG_CONFIG_HOME/tovu" ]] || fail "the search wrote $(ls -R "$XDG_CONFIG_HOME/tovu")"
[[ "$(logged "panel shown")" == 0 ]] || fail "the search showed the panel"
within 25 no_provider || fail "the provider is still there long after the last search"

# A provider that runs when tovu starts hands the search over and ends.
shell GetInitialResultSet "['eid']" >/dev/null
[[ -n "$(providers)" ]] || fail "no provider was started the second time"
start_tovu
eventually at_least 1 "search providers published$" || fail "the running tovu did not take the search"
eventually no_provider || fail "the provider stayed beside the running tovu"
check "the running tovu"
# The messages' language, switched by the command through the running tovu: the search follows.
"$tovu" messages --language de | grep -q "^Vielen herzlichen Dank" || fail "tovu messages --language de listed no German"
[[ "$(runner Match dank)" == *"('message:thanks', 'Vielen herzlichen Dank"* ]] || fail "the search is not in German"
# The running tovu answers from its list as it is now: a message of the user's, accents aside.
printf '%s' '[{"id":"mine","kind":"custom","text":"Réunion au Café\nÀ 10 h"}]' >"$scratch/list.json"
"$tovu" messages import "$scratch/list.json" >/dev/null
[[ "$(shell GetInitialResultSet "['reunion', 'cafe']")" == "(['message:mine'],)" ]] || fail "no accent-free match"
shell ActivateResult message:mine "['cafe']" 0 >/dev/null
opens 'whatsapp://send?text=R%C3%A9union%20au%20Caf%C3%A9%0A%C3%80%2010%20h'
# A provider the bus starts meanwhile leaves the name to it.
"$tovu" --search-provider 2>>"$scratch/log" || fail "a provider beside the running tovu failed"
at_least 1 "search providers not published (alone)" || fail "a second provider took the name"
echo "PASS"
