#!/usr/bin/env bash
# Starts the Windows program from its zip, unpacked into a folder with an accented name, in a
# window under Wine on the X display in $DISPLAY; checks that the demo's window appears and
# shows the game, opens the Game menu from the keyboard, chooses Quit, answers the question Yes
# and expects a clean exit 0. Every step waits for what it needs within a bound and says which
# step did not happen.
#   tools/windows_desktop_smoke.sh ZIP WORK_FOLDER      (Wine: $TL_WINE, default wine64)
set -u
here="$(cd "$(dirname "$0")" && pwd)"
zip="$(realpath "$1")"
work="$2"
wine="${TL_WINE:-wine64}"
export WINEDEBUG=-all

folder="$work/Juegos_ñ"
rm -rf "$folder"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder" || { echo "windows smoke: cannot unpack $zip" >&2; exit 1; }
cd "$folder/Tessaloom"
"$wine" tessaloom.exe > smoke.log 2>&1 &
game=$!

who="windows smoke"
program_log="$PWD/smoke.log"
# shellcheck source=desktop_steps.sh
. "$here/desktop_steps.sh"

# More than a handful of colours in the window: the map is drawn, not a blank or one-colour frame.
shows_game() {
  local colours
  colours=$(import -silent -window "$window" -format '%k' info: 2> /dev/null) || return 1
  [ "${colours:-0}" -gt 64 ]
}

wait_for 120 find_window "Sunken Valley" || fail "the game window (title 'Sunken Valley') did not appear within 120 s"
window=$found
wait_for 120 shows_game || fail "the window did not show the game within 120 s (blank or one colour)"
import -silent -window "$window" "$work/windows-smoke.png" 2> /dev/null

# The menu bar: Alt+G opens Game, Q chooses Quit (the menu reads keys queued behind the one that
# opened it, so no pause is needed between them).
xdotool windowfocus --sync "$window" 2> /dev/null
xdotool key alt+g q || fail "xdotool alt+g q failed"
wait_for 60 find_window "Quit game" || fail "the quit question (title 'Quit game') did not appear within 60 s of Game > Quit"
box=$found
xdotool windowfocus --sync "$box" 2> /dev/null
xdotool key Return || fail "xdotool Return failed"
wait_for 60 game_ended || fail "the program still runs 60 s after the quit question was answered Yes"
wait "$game"
code=$?
[ "$code" -eq 0 ] || fail "the program ended with exit code $code, not 0"
echo "windows smoke: window, picture, Game > Quit, Yes, exit 0 (screenshot $work/windows-smoke.png)"
