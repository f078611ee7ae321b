#!/usr/bin/env bash
# Plays a short desktop session of the demo under the X display given in $DISPLAY with xdotool:
# select a player, send it away, drag a box over the squad, send them, then quit with Escape and
# Enter. With a fourth argument `refuse-first`, the first quit question is refused with Escape and
# the keyboard must come back to the game, whose Escape then asks again. There is no window manager: the game itself must give its quit box the keyboard focus.
# Every step waits for what it needs (a window, the focus, the game's end) within a bound and says
# which step did not happen.
# Usage: desktop_session.sh TESSALOOM RECORDING DUMP [refuse-first]   (in the folder of Projects/)
set -u
# The X and SDL libraries under the game are not ours: a leak report from them must not fail the
# session (an AddressSanitizer build checks our own code for leaks in every other test).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
"$1" --record "$2" --dump-state "$3" Demo > desktop.log 2>&1 &
game=$!

who="desktop session"
# shellcheck source=../../tools/desktop_steps.sh
. "$(dirname "$0")/../../tools/desktop_steps.sh"

focus_is() { [ "$(xdotool getwindowfocus 2> /dev/null)" = "$1" ]; }
# The window id (decimal) of the top-level window titled exactly $1, if there is one. SDL's boxes
# carry no WM_CLASS, and xdotool's search passes them over, so the server's own list is read.
top_level() {
  local id
  id=$(xwininfo -root -children 2> /dev/null | awk -v t=" \"$1\": " 'index($0, t) { print $1; exit }')
  [ -n "$id" ] && printf '%d\n' "$id"
}
found_box() { box=$(top_level "Quit game") && [ -n "$box" ]; }

wait_for 60 find_window "Sunken Valley" || fail "the game window (title 'Sunken Valley') did not appear within 60 s"
window=$found
# The window shows while the project still loads; the recording's first line says it has loaded
# and that from now on every message the game takes is recorded.
recording_started() { head -n 1 "$2" 2> /dev/null | grep -q "^# tessaloom recording: "; }
wait_for 120 recording_started "$@" || fail "the game did not start its recording within 120 s"

# The pauses only let the squad walk between orders; the recording holds whatever time passed.
act() { xdotool "$@" || fail "xdotool $* failed"; sleep 0.2; }
act mousemove --window "$window" 700 500 click 1
act mousemove --window "$window" 320 320 click 3
act mousemove --window "$window" 480 620 mousedown 1
act mousemove --window "$window" 700 700
act mousemove --window "$window" 900 820 mouseup 1
act mousemove --window "$window" 640 260 click 3
act key --window "$window" f
act key --window "$window" Escape

# Waits for the quit question and for it to hold the keyboard focus.
await_question() {
  box=""
  wait_for 60 found_box || fail "the quit question (title 'Quit game') did not appear within 60 s after Escape"
  wait_for 30 focus_is "$box" ||
    fail "the quit question did not get the keyboard focus (focus: $(xdotool getwindowfocus 2>&1))"
}

await_question
if [ "${4:-}" = refuse-first ]; then
  xdotool key Escape || fail "xdotool key Escape failed"
  wait_for 30 focus_is "$window" ||
    fail "the keyboard focus did not come back to the game after the question was refused"
  xdotool key Escape || fail "xdotool key Escape failed"
  await_question
fi
# No --window: the key goes wherever the keyboard focus is, as a player's would.
xdotool key Return || fail "xdotool key Return failed"
wait_for 60 game_ended || fail "the game still runs 60 s after the quit question was answered"
wait "$game"
code=$?
[ "$code" -eq 0 ] || fail "the game ended with exit code $code (see desktop.log)"
