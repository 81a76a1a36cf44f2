#!/usr/bin/env bash
# One scripted session on a virtual display: the agent stand-in, the program, a connection report, a
# profile report, the four pages, the warning dialog, Apply and Cancel. Run by e2e_tests inside
# xvfb-run with HOME and XDG_RUNTIME_DIR pointing at scratch folders.
# Arguments: bin folder, screenshot folder, agent log file.
set -u
bin=$1 shots=$2 log=$3
convert=/usr/bin/convert
[[ -x $convert ]] || convert=convert
mkdir -p "$shots"

shot() { xwd -root -silent | "$convert" xwd:- "$shots/$1.png"; }
fail() {
  echo "session: $*" >&2
  [[ -s $log.tuner-stderr ]] && sed 's/^/qor-tuner: /' "$log.tuner-stderr" >&2
  kill -0 "${tuner:-0}" 2>/dev/null || echo "session: qor-tuner is not running" >&2
  "$bin/hid" quit >/dev/null 2>&1; kill "$tuner" 2>/dev/null; exit 1; }
wait_for() { # command, what
  for _ in $(seq 1 200); do eval "$1" >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "timed out waiting for $2"
}

xdotool mousemove 0 0
"$bin/hid" --log "$log" &
agent=$!
wait_for '"$bin/hid" status' "the agent"

"$bin/qor-tuner" 2>"$log.tuner-stderr" &
tuner=$!
wait_for 'xdotool search --onlyvisible --name "^QOR VR17 GAMING MOUSE$"' "the main window"
win=$(xdotool search --onlyvisible --name "^QOR VR17 GAMING MOUSE$" | head -1)
eval "$(xdotool getwindowgeometry --shell "$win")"
click() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1; sleep 0.3; }
delivered() { grep -c '"delivered":true' "$log" 2>/dev/null || true; }
windows() { xdotool search --onlyvisible --pid "$tuner" 2>/dev/null | wc -l; }

# Each report counts once it is queued for the window; the window handles its queue in order, so the
# report is handled before any click that follows.
"$bin/hid" connect || fail "connect"
wait_for '[ "$(delivered)" -ge 1 ]' "the connection report"
sleep 0.5
shot e2e-connected
"$bin/hid" report 9 2 || fail "report"
wait_for '[ "$(delivered)" -ge 2 ]' "the profile report"

click 153 172; shot e2e-page1
click 318 172; shot e2e-page2
click 483 172; shot e2e-page3
click 647 172; shot e2e-page4
click 153 172

click 301 573 # Reset profile: the warning dialog
wait_for '[ "$(windows)" -ge 2 ]' "the warning dialog"
sleep 0.5
shot e2e-warning
xdotool key Escape
wait_for '[ "$(windows)" -le 1 ]' "the warning dialog to close"

click 695 573 # Apply
wait_for 'grep -q "\"message\":1246" "$log"' "the agent to be told about Apply"
click 597 573 # Cancel
for _ in $(seq 1 100); do kill -0 "$tuner" 2>/dev/null || break; sleep 0.1; done
kill -0 "$tuner" 2>/dev/null && fail "the window did not close on Cancel"
"$bin/hid" quit
wait "$agent"
exit 0
