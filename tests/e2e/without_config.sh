#!/usr/bin/env bash
# Without config.cfg the defaults (OpenGL 2.1, windowed 1024x768) still open a
# window: the forward-compatible request is dropped below 3.0. Q ends the game.
set -u
source "$(dirname "$0")/lib/game.bash"

prepare_run_dir "$1"
rm -f "$GAME_DIR/config.cfg"
start_game
find_window

expect_line stdout.txt "Context is NOT forward compatible."
grep -q "^Loaded OpenGL Version [0-9]*\.[0-9]*$" "$GAME_DIR/stdout.txt" \
    || fail "no version line"
geometry="$(xdotool getwindowgeometry "$GAME_WINDOW")"
grep -q "Geometry: 1024x768" <<<"$geometry" || fail "default window size: $geometry"

press F2
expect_line stdout.txt "SHOW FPS ON"

press q
expect_exit -eq 0
exit 0
