#!/usr/bin/env bash
# A player's short game: pause and resume, the camera key four times (back to
# the first camera), a click on empty space, and Escape ends the game cleanly.
set -u
source "$(dirname "$0")/lib/game.bash"

prepare_run_dir "$1"
sed -i 's/^window_width=.*/window_width=320/; s/^window_height=.*/window_height=240/' \
    "$GAME_DIR/config.cfg"
start_game
find_window
expect_line stdout.txt "rec size 156"

press p
sleep 3
press p
for _ in 1 2 3 4; do
    press c
done
# The window's corner shows only space: the click picks nothing.
xdotool mousemove --window "$GAME_WINDOW" 3 3 click 1 2>/dev/null
sleep 1
press Escape
expect_exit -eq 0
grep -q "^ACCURACY" "$GAME_DIR/stdout.txt" && fail "the song ended during a short game"
[ "$(grep -c '^Deleting Particle System.$' "$GAME_DIR/stdout.txt")" -eq 10 ] ||
    fail "the level's ten particle systems were not all released"
[ ! -s "$GAME_DIR/stderr.txt" ] || fail "the player run wrote to the error stream"
echo "player run: ended cleanly"
