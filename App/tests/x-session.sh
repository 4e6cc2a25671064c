# Sourced by the tests that run tovu in a real X session: a scratch home
# with its XDG folders, a fake WhatsApp registered for whatsapp: links that
# writes down every link it is given ($scratch/opened), Xvfb as $DISPLAY,
# fail and eventually, and the processes in $pids ended on exit.
scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$scratch/config" "$scratch/data/applications"
mkdir -m 0700 "$scratch/runtime"
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/runtime"
export TZ=Asia/Riyadh LANGUAGE=en LANG=C.UTF-8

# The fake WhatsApp writes down every link it is given.
cat >"$scratch/whatsapp.sh" <<SH
#!/bin/sh
printf '%s\n' "\$1" >>"$scratch/opened"
SH
chmod +x "$scratch/whatsapp.sh"
printf '[Desktop Entry]\nType=Application\nName=Fake WhatsApp\nExec=%s %%u\nMimeType=x-scheme-handler/whatsapp;\nNoDisplay=true\n' \
  "$scratch/whatsapp.sh" >"$scratch/data/applications/fake-whatsapp.desktop"
printf '[Default Applications]\nx-scheme-handler/whatsapp=fake-whatsapp.desktop\n' >"$scratch/config/mimeapps.list"

fail() {
  echo "FAIL: $*"
  echo "--- tovu's log"; cat "$scratch/log" || true
  echo "--- Xvfb on ${DISPLAY:-?} ($(kill -0 "${xvfb:-0}" 2>/dev/null && echo running || echo gone))"
  tail -5 "$scratch/xvfb.log" 2>/dev/null || true
  exit 1
}
eventually() {  # eventually COMMAND…: up to ten seconds for COMMAND to succeed
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}

# Xvfb picks a free display itself; a server that does not answer is
# replaced.
for attempt in 1 2 3; do
  : >"$scratch/display"
  exec 3>"$scratch/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 2>"$scratch/xvfb.log" &
  xvfb=$!
  pids+=("$xvfb")
  exec 3>&-
  eventually test -s "$scratch/display" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$scratch/display")"
  if eventually xdpyinfo >/dev/null 2>&1; then break; fi
  [[ $attempt -lt 3 ]] || { cat "$scratch/xvfb.log"; fail "Xvfb on $DISPLAY does not answer"; }
  kill "$xvfb" 2>/dev/null || true
done
