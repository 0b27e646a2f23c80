#!/usr/bin/env bash
# Starts kelvaro.exe under wine as a user would and uses it with real X input: the window appears
# with its Greek title and its client size, digit keys play (wine has no MIDI device, so each
# playing key tries to open it again and the program stays silent and answering), the keyboard
# switches the language, and closing the window ends the process.
#   smoke.sh STATE KELVARO_EXE X_WINDOW
set -uo pipefail
state=$1 exe=$2 x_window=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
eval "$("$here/../../scripts/windows/wine-session" env "$state")"
log=$(mktemp)
pid=

finish() {
  [[ -n $pid ]] && kill -9 "$pid" 2>/dev/null
  rm -f "$log"
}
trap finish EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# wine traces every midiOutOpen: the count shows that each playing key tried the device again.
start() {
  WINEDEBUG=-all,trace+winmm "$WINE" "$exe" 2>"$log" &
  pid=$!
}

# Once in several runs wine maps the first window late: a generous wait and one retry.
start
if ! window=$("$x_window" find "ΣΥΡΙΝΘΑ" 30); then
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  echo "the window did not appear within 30 s; starting again" >&2
  start
  window=$("$x_window" find "ΣΥΡΙΝΘΑ" 60) || fail "no window titled ΣΥΡΙΝΘΑ"
fi
echo "window $window"

size=$("$x_window" size "$window")
[[ $size == "659 499" ]] || fail "client size is $size, expected 659 499"

xdotool windowfocus --sync "$window" || fail "cannot focus the window"
opens_before=$(grep -c 'trace:winmm:midiOutOpen (' "$log")
xdotool key --delay 80 1 5 9 shift+3 8
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the program ended after the digit keys"
opens=$(($(grep -c 'trace:winmm:midiOutOpen (' "$log") - opens_before))
failed=$(grep -c 'trace:winmm:midiOutOpen => [1-9]' "$log")
# Shift is not a playing key; each of the five digit presses finds the device closed and tries
# to open it again.
[[ $opens -eq 5 ]] || fail "$opens attempts to open the MIDI device for 5 playing keys"
[[ $failed -eq $((opens + opens_before)) ]] || fail "an open of the MIDI device did not fail"
echo "5 playing keys, 5 failed attempts to open the MIDI device, silent and answering"

# The language group comes before the maker's notice, the last tab stop: twice Shift+Tab from the
# first control, then Down.
xdotool key --delay 80 shift+Tab shift+Tab Down
english=$("$x_window" find "SYRÍNTHA" 10) || fail "the title did not change to SYRÍNTHA"
[[ $english == "$window" ]] || fail "another window is titled SYRÍNTHA"

"$x_window" close "$window" || fail "cannot send the close request"
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the process still runs 5 s after the window closed"
wait "$pid"
status=$?
pid=
[[ $status -eq 0 ]] || fail "the program ended with status $status"
echo "closed; the process ended with status 0"
