#!/usr/bin/env bash
# Plays a short desktop session of the demo under the X display given in $DISPLAY with xdotool:
# select a player, send it away, drag a box over the squad, send them, then quit with Escape and
# Enter. Usage: desktop_session.sh TESSALOOM RECORDING DUMP   (run in the folder of Projects/)
set -u
# The X and SDL libraries under the game are not ours: a leak report from them must not fail the
# session (an AddressSanitizer build checks our own code for leaks in every other test).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
"$1" --record "$2" --dump-state "$3" Demo > desktop.log 2>&1 &
game=$!
window=$(timeout 30 xdotool search --sync --name "Sunken Valley" | head -1)
[ -n "$window" ] || { kill "$game"; exit 3; }
act() { xdotool "$@"; sleep 0.4; }
act mousemove --window "$window" 700 500 click 1
act mousemove --window "$window" 320 320 click 3
sleep 1
act mousemove --window "$window" 480 620 mousedown 1
act mousemove --window "$window" 700 700
act mousemove --window "$window" 900 820 mouseup 1
act mousemove --window "$window" 640 260 click 3
act key --window "$window" f
sleep 3
act key --window "$window" Escape
act key Return
for _ in $(seq 50); do kill -0 "$game" 2> /dev/null || break; sleep 0.2; done
kill "$game" 2> /dev/null && exit 4
wait "$game"
