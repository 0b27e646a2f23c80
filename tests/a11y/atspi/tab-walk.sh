#!/usr/bin/env bash
# The real program as a screen reader sees it over AT-SPI: a private D-Bus session with its own
# accessibility bus, a private X server, the program with Qt's AT-SPI bridge on, and tab-walk.py
# reading it with gi's Atspi. Usage: tab-walk.sh KELVARO
# Everything waits for readiness, never for a fixed time, with bounds meant for a loaded machine.
set -euo pipefail
program=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [[ -z ${KELVARO_ATSPI_SESSION:-} ]]; then
  KELVARO_ATSPI_SESSION=1 exec dbus-run-session -- "${BASH_SOURCE[0]}" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

wait_for() { # SECONDS COMMAND...: until COMMAND succeeds
  local until=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < until)) || { echo "tab-walk: timed out waiting for: $*" >&2; return 1; }
    sleep 0.2
  done
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 60 test -s "$work/display"
export DISPLAY=:$(head -n1 "$work/display")
export XDG_RUNTIME_DIR=$work
chmod 700 "$work"

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
wait_for 60 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress

# No sound server of anyone else's: the program stays silent.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb PULSE_SERVER=unix:$work/no-pulse \
  "$program" 2>"$work/kelvaro.log" &
pids+=($!)

status=0
/usr/bin/python3 "$here/tab-walk.py" || status=$?
# Qt prints nothing while a screen reader reads it.
if grep -v -e '^QStandardPaths' -e 'ALSA lib' "$work/kelvaro.log" | grep -q .; then
  echo "tab-walk: the program printed:" >&2
  cat "$work/kelvaro.log" >&2
  status=1
fi
exit "$status"
