# Steps shared by the scripts that drive a program in a window on an X display (sourced, not run).
# Each step waits for what it needs within a bound; a failed step stops the program and says what
# did not happen. The caller sets `game` (the program's process id) and `who` (the name its
# messages start with), and may set `program_log` (a file shown after the message).

fail() {
  echo "$who: $1" >&2
  if [ -n "${program_log:-}" ] && [ -s "$program_log" ]; then sed 's/^/  program: /' "$program_log" >&2; fi
  kill "$game" 2> /dev/null
  wait "$game" 2> /dev/null
  exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

game_ended() { ! kill -0 "$game" 2> /dev/null; }

# A window whose title holds $1, its id in `found`. A search that meets a window going away while
# it reads the tree fails with an X error; waiting with wait_for tries it again.
find_window() {
  found=$(xdotool search --name "$1" 2> /dev/null | head -1)
  [ -n "$found" ]
}
